#include "jvlink/recording.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/regular_file.h"
#include "common/run_state.h"

namespace radadovur::jvlink {

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{static_cast<int64_t>(st.st_size),
                   static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

namespace {

constexpr const char* kCannotRead = "を読めません";

// The names in a folder; a failure names the folder with the system's reason.
common::Status ListNames(const std::string& dir, std::vector<std::string>& names) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return common::Status::FromErrno(kCannotRead, dir, errno);
  errno = 0;
  while (const dirent* entry = ::readdir(d)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
    errno = 0;
  }
  const int error = errno;
  ::closedir(d);
  if (error != 0) return common::Status::FromErrno(kCannotRead, dir, error);
  return common::Status::OK();
}

// A recording file the delivery will read: a regular file that opens for reading.
common::Status CheckReadable(const std::string& path) {
  int fd = -1;
  common::Status status = common::OpenRegularFile(path, O_RDONLY, 0, kCannotRead, fd);
  if (fd >= 0) ::close(fd);
  return status;
}

}  // namespace

FolderLook LookAtRecordingFolder(const std::string& folder, common::Status& reason) {
  reason = common::Status::OK();
  if (!IsFolder(folder)) {
    struct stat st {};
    // Not there, or a file in its place: missing. Anything else (no permission on the way, a
    // link loop) is a folder that cannot be reached.
    if (folder.empty() || ::stat(folder.c_str(), &st) == 0 || errno == ENOENT || errno == ENOTDIR)
      return FolderLook::kMissing;
    reason = common::Status::FromErrno(kCannotRead, folder, errno);
    return FolderLook::kUnreadable;
  }
  std::vector<std::string> names;
  if (reason = ListNames(folder, names); !reason.ok()) return FolderLook::kUnreadable;
  for (const std::string& name : names)
    if (std::find(std::begin(recording::kDataspecs), std::end(recording::kDataspecs), name) !=
        std::end(recording::kDataspecs))
      return FolderLook::kRecordings;
  return FolderLook::kEmpty;
}

common::Status ListDownloadFiles(const std::string& folder, std::string_view dataspec, std::vector<RecordingFile>& files) {
  files.clear();
  const std::string dir = common::WithTrailingSlash(folder) + std::string(dataspec);
  struct stat st {};
  if (::lstat(dir.c_str(), &st) != 0) {
    if (errno == ENOENT) return common::Status::OK();  // this data type has no recordings
    return common::Status::FromErrno(kCannotRead, dir, errno);
  }
  std::vector<std::string> names;
  if (common::Status s = ListNames(dir, names); !s.ok()) return s;
  for (const std::string& name : names) {
    if (name.size() <= recording::kFileExtension.size() || !name.ends_with(recording::kFileExtension)) continue;
    const std::string path = dir + "/" + name;
    if (common::Status s = CheckReadable(path); !s.ok()) return s;
    files.push_back({name, path});
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return common::Status::OK();
}

common::Status FindRealtimeFile(const std::string& folder, std::string_view dataspec, std::string_view key, bool& found) {
  found = false;
  const std::string dir = common::WithTrailingSlash(folder) + std::string(dataspec);
  struct stat st {};
  if (::lstat(dir.c_str(), &st) != 0) {
    if (errno == ENOENT) return common::Status::OK();
    return common::Status::FromErrno(kCannotRead, dir, errno);
  }
  // The folder must be one that can be looked into: a file or a closed folder in its place is
  // no "no recording".
  if (DIR* d = ::opendir(dir.c_str())) {
    ::closedir(d);
  } else {
    return common::Status::FromErrno(kCannotRead, dir, errno);
  }
  const std::string path = RealtimeFilePath(folder, dataspec, key);
  if (::lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return common::Status::OK();
    return common::Status::FromErrno(kCannotRead, path, errno);
  }
  found = true;
  return common::Status::OK();
}

std::string RealtimeFilePath(const std::string& folder, std::string_view dataspec, std::string_view key) {
  return common::WithTrailingSlash(folder) + std::string(dataspec) + "/" + std::string(key) +
         std::string(recording::kFileExtension);
}

std::vector<std::string_view> SplitRecords(std::string_view bytes) {
  std::vector<std::string_view> records;
  while (!bytes.empty()) {
    size_t lf = bytes.find('\n');
    size_t length = lf == std::string_view::npos ? bytes.size() : lf + 1;
    std::string_view record = bytes.substr(0, length);
    if (record != "\r\n" && record != "\n") records.push_back(record);
    bytes.remove_prefix(length);
  }
  return records;
}

}  // namespace radadovur::jvlink
