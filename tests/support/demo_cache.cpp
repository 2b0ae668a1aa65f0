#include "support/demo_cache.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace radadovur::testing {
namespace {

namespace fs = std::filesystem;

// The folder name for `options` ("--state monday" gives "state_monday"); "" when they hold more
// than words and dashes (quotes, shell characters), which the shared weeks leave to the command.
std::string NameOf(const std::string& options) {
  std::string name;
  for (const char c : options) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += c;
    } else if (c == '-') {
      continue;
    } else if (c == ' ') {
      name += '_';
    } else {
      return "";
    }
  }
  return name.empty() ? "default" : name;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
  return text;
}

// Holds an exclusive lock on a file for its lifetime.
class FileLock {
 public:
  explicit FileLock(const fs::path& file) : fd_(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
    if (fd_ >= 0) ::flock(fd_, LOCK_EX);
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_;
};

bool CopyTree(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::create_directories(to, ec);
  if (ec) return false;
  for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const fs::path target = to / fs::relative(it->path(), from);
    if (it->is_directory()) {
      fs::create_directories(target, ec);
    } else {
      fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, ec);
      if (!ec) fs::last_write_time(target, fs::last_write_time(it->path()), ec);
    }
    if (ec) return false;
  }
  return !ec;
}

}  // namespace

std::string CachedDemoWeek(const std::string& options) {
  const std::string name = NameOf(options);
  if (name.empty()) return "";
  struct stat st {};
  if (::stat(RADADOVUR_CLI, &st) != 0) return "";
  // A new build of the command makes new weeks; the weeks of earlier builds go.
  const fs::path cache = fs::path(RADADOVUR_CLI).parent_path() / "demo_test_cache";
  const std::string key = std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec) + "-" +
                          std::to_string(st.st_size);
  const fs::path done = cache / key / name;
  std::error_code ec;
  fs::create_directories(cache / key, ec);
  if (ec) return "";
  FileLock lock(cache / key / ".lock");
  if (fs::exists(done / "week", ec)) return done.string();
  for (const auto& e : fs::directory_iterator(cache, ec))
    if (e.path().filename() != key) fs::remove_all(e.path(), ec);
  const fs::path temp = cache / key / (name + ".tmp");
  fs::remove_all(temp, ec);
  fs::create_directories(temp, ec);
  const std::string command = "'" + std::string(RADADOVUR_CLI) + "' demo '" + (temp / "week").string() + "' " + options +
                              " > '" + (temp / "output.txt").string() + "' 2>&1";
  if (std::system(command.c_str()) != 0) {
    fs::remove_all(temp, ec);
    return "";
  }
  fs::rename(temp, done, ec);
  return ec ? "" : done.string();
}

std::optional<CachedDemoRun> DemoWeekFromCache(const std::string& dir, const std::string& options) {
  std::error_code ec;
  if (dir.empty() || dir[0] != '/') return std::nullopt;
  if (fs::exists(dir, ec) && !(fs::is_directory(dir, ec) && fs::is_empty(dir, ec))) return std::nullopt;
  const std::string shared = CachedDemoWeek(options);
  if (shared.empty()) return std::nullopt;
  std::ifstream in(shared + "/output.txt", std::ios::binary);
  std::ostringstream printed;
  printed << in.rdbuf();
  if (!in || !CopyTree(shared + "/week", dir)) return std::nullopt;
  // The command named the folder it wrote, the temporary one.
  return CachedDemoRun{Replaced(printed.str(), shared + ".tmp/week", dir)};
}

}  // namespace radadovur::testing
