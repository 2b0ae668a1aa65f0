#include "common/app_path.h"

#include <unistd.h>

#include <climits>

namespace radadovur {
namespace {
std::string& CachedFolder() {
  static std::string cached;
  return cached;
}

std::string ExecutableFolder() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<size_t>(n));
  auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}
}  // namespace

std::string WithTrailingSlash(const std::string& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

std::string GetAppPath() {
  std::string& cached = CachedFolder();
  if (cached.empty()) cached = WithTrailingSlash(ExecutableFolder());
  return cached;
}

void SetAppPath(const std::string& folder) { CachedFolder() = WithTrailingSlash(folder); }

}  // namespace radadovur
