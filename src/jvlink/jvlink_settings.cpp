#include "jvlink/jvlink_settings.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/text_file.h"

namespace radadovur::jvlink {

using common::Status;

namespace {
constexpr const char* kSettingsFolder = "radadovur-jvlink";
constexpr const char* kSettingsFileName = "recordings";
}  // namespace

std::string DefaultJvLinkSettingsFile() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && *config) {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.config";
  } else {
    return {};
  }
  return base + "/" + kSettingsFolder + "/" + kSettingsFileName;
}

namespace {

// The key of a program folder's line: its absolute path without the trailing "/", so that
// "week", "./week/" and "/home/u/week" name the same folder.
std::string FolderKey(const std::string& app_path) {
  std::error_code ec;
  std::filesystem::path path = std::filesystem::weakly_canonical(std::filesystem::absolute(app_path, ec), ec);
  if (ec) path = app_path;
  std::string key = path.string();
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
}

}  // namespace

std::optional<std::string> LoadRecordingFolderSetting(const std::string& settings_file, const std::string& app_path) {
  if (settings_file.empty()) return std::nullopt;
  auto text = common::ReadWholeFile(settings_file);
  if (!text) return std::nullopt;
  const std::string key = FolderKey(app_path);
  for (const std::string& line : common::SplitLines(*text)) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || tab + 1 == line.size()) continue;
    if (line.compare(0, tab, key) == 0 && tab == key.size()) return line.substr(tab + 1);
  }
  return std::nullopt;
}

common::Status SaveRecordingFolderSetting(const std::string& settings_file, const std::string& app_path,
                                          const std::string& folder) {
  if (settings_file.empty())
    return common::Status::InvalidArgument("設定ファイル", "設定を置くフォルダがありません（XDG_CONFIG_HOME も HOME も設定されていません）");
  // A line end would split the line, a tab would move the folder.
  const std::string key = FolderKey(app_path);
  if (folder.find_first_of("\r\n\t") != std::string::npos || key.find_first_of("\r\n\t") != std::string::npos)
    return common::Status::InvalidArgument("フォルダ", "改行やタブを含むフォルダ名は保存できません");
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(settings_file).parent_path(), ec);
  if (ec)
    return common::Status::IoError(settings_file,
                           common::Shown(settings_file) + " の設定フォルダを作れません（" + common::ErrnoText(ec.value()) + "）");
  std::string kept;
  if (auto text = common::ReadWholeFile(settings_file)) {
    for (const std::string& line : common::SplitLines(*text)) {
      const size_t tab = line.find('\t');
      if (line.empty() || (tab == key.size() && line.compare(0, tab, key) == 0)) continue;
      kept += line + "\n";
    }
  }
  if (!folder.empty()) kept += key + "\t" + folder + "\n";
  return common::WriteFileAtomic(settings_file, kept);
}

std::string RecordingFolderFromSettings(const std::string& app_path, const std::string& settings_file) {
  if (auto folder = LoadRecordingFolderSetting(settings_file, app_path)) return *folder;
  return app_path + std::string(recording::kDefaultFolder);
}

std::unique_ptr<ReplayJvLink> MakeReplayJvLink(const std::string& app_path, std::string settings_file) {
  return std::make_unique<ReplayJvLink>(ReplayJvLink::SettingsFolder{
      [app_path, settings_file] { return RecordingFolderFromSettings(app_path, settings_file); }});
}

}  // namespace radadovur::jvlink
