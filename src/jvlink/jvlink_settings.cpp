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

std::optional<std::string> LoadRecordingFolderSetting(const std::string& settings_file) {
  if (settings_file.empty()) return std::nullopt;
  auto text = common::ReadWholeFile(settings_file);
  if (!text) return std::nullopt;
  auto lines = common::SplitLines(*text);
  if (lines.empty() || lines.front().empty()) return std::nullopt;
  return lines.front();
}

common::Status SaveRecordingFolderSetting(const std::string& settings_file, const std::string& folder) {
  if (settings_file.empty())
    return common::Status::InvalidArgument("設定ファイル", "設定を置くフォルダがありません（XDG_CONFIG_HOME も HOME も設定されていません）");
  // A line end would split the folder into lines.
  if (folder.find_first_of("\r\n") != std::string::npos)
    return common::Status::InvalidArgument("フォルダ", "改行を含むフォルダ名は保存できません");
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(settings_file).parent_path(), ec);
  if (ec)
    return common::Status::IoError(settings_file,
                           common::Shown(settings_file) + " の設定フォルダを作れません（" + common::ErrnoText(ec.value()) + "）");
  return common::WriteFileAtomic(settings_file, folder + "\n");
}

std::string RecordingFolderFromSettings(const std::string& app_path, const std::string& settings_file) {
  if (auto folder = LoadRecordingFolderSetting(settings_file)) return *folder;
  return app_path + std::string(recording::kDefaultFolder);
}

std::unique_ptr<ReplayJvLink> MakeReplayJvLink(const std::string& app_path, std::string settings_file) {
  return std::make_unique<ReplayJvLink>(ReplayJvLink::SettingsFolder{
      [app_path, settings_file] { return RecordingFolderFromSettings(app_path, settings_file); }});
}

}  // namespace radadovur::jvlink
