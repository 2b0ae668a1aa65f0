#include "jvlink/recording.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

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

std::optional<std::vector<RecordingFile>> ListDownloadFiles(const std::string& folder, std::string_view dataspec) {
  namespace fs = std::filesystem;
  const std::string dir = common::WithTrailingSlash(folder) + std::string(dataspec);
  std::error_code ec;
  std::vector<RecordingFile> files;
  if (!fs::exists(dir, ec)) return files;
  fs::directory_iterator it(dir, ec);
  if (ec) return std::nullopt;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return std::nullopt;
    std::string name = it->path().filename().string();
    if (name.size() <= recording::kFileExtension.size() || !name.ends_with(recording::kFileExtension)) continue;
    std::error_code type_ec;
    if (!it->is_regular_file(type_ec)) continue;
    files.push_back({name, it->path().string()});
  }
  if (ec) return std::nullopt;
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return files;
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
