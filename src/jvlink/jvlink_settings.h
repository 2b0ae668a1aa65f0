#pragma once
#include <memory>
#include <optional>
#include <string>

#include "common/status.h"
#include "jvlink/replay_jv_link.h"

// The stand-in's own settings: which recording folder it replays. They live apart from the
// program (which has no configuration of its own), in one small file holding the folder:
// "$XDG_CONFIG_HOME/radadovur-jvlink/recordings", or "~/.config/radadovur-jvlink/recordings"
// when XDG_CONFIG_HOME is not set.
namespace radadovur::jvlink {

// The settings file's path from the environment; empty when neither variable is set.
std::string DefaultJvLinkSettingsFile();

// The saved folder; nullopt when the file is missing, unreadable or holds no folder.
std::optional<std::string> LoadRecordingFolderSetting(const std::string& settings_file);

// Saves the folder (creating the settings folder); an empty folder saves "use the default".
common::Status SaveRecordingFolderSetting(const std::string& settings_file, const std::string& folder);

// The saved folder, or "JVDATA" in the program folder.
std::string RecordingFolderFromSettings(const std::string& app_path, const std::string& settings_file);

// An instance for a window: it replays the folder of the settings, read again on every
// request so that a change made in the settings dialog applies at once.
std::unique_ptr<ReplayJvLink> MakeReplayJvLink(const std::string& app_path,
                                               std::string settings_file = DefaultJvLinkSettingsFile());

}  // namespace radadovur::jvlink
