#include "common/package_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace radadovur::common {
namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// The entry of `folder` named `part` ignoring case; empty when there is none.
std::string FindIgnoringCase(const std::string& folder, std::string_view part) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return {};
  std::vector<std::string> matches;
  while (dirent* e = ::readdir(dir))
    if (SameIgnoringCase(e->d_name, part)) matches.emplace_back(e->d_name);
  ::closedir(dir);
  if (matches.empty()) return {};
  return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

std::string ResolvePackagePath(const std::string& app_path, std::string_view relative) {
  std::string path = app_path;
  bool lost = false;  // once a folder is missing, the rest keeps its own spelling
  size_t start = 0;
  while (start <= relative.size()) {
    size_t slash = relative.find('/', start);
    if (slash == std::string_view::npos) slash = relative.size();
    const std::string_view part = relative.substr(start, slash - start);
    if (!part.empty()) {
      if (!path.empty() && path.back() != '/') path += '/';
      std::string name(part);
      if (!lost && !Exists(path + name)) {
        const std::string found = FindIgnoringCase(path, part);
        if (found.empty()) lost = true;
        else name = found;
      }
      path += name;
    }
    start = slash + 1;
  }
  return path;
}

}  // namespace radadovur::common
