#pragma once
#include <memory>
#include <optional>
#include <string>

#include "common/status.h"
#include "jvlink/replay_jv_link.h"

// The stand-in's own settings: which recording folder it replays for a program folder. They live
// apart from the program (which has no configuration of its own), in one small file,
// "$XDG_CONFIG_HOME/radadovur-jvlink/recordings" (or "~/.config/radadovur-jvlink/recordings"
// when XDG_CONFIG_HOME is not set), one line per program folder: the program folder's absolute
// path, a tab, the recording folder. A program folder without a line replays its own "JVDATA",
// so that the recordings of one week are never replayed into another week's folder; the windows
// and the command line read the same line.
namespace radadovur::jvlink {

// The settings file's path from the environment; empty when neither variable is set.
std::string DefaultJvLinkSettingsFile();

// The folder saved for the program folder `app_path`; nullopt when the file is missing,
// unreadable or holds no folder for it.
std::optional<std::string> LoadRecordingFolderSetting(const std::string& settings_file, const std::string& app_path);

// Saves the folder for `app_path` (creating the settings folder), keeping the other program
// folders' lines; an empty folder removes the line ("use the default").
common::Status SaveRecordingFolderSetting(const std::string& settings_file, const std::string& app_path,
                                          const std::string& folder);

// The folder saved for the program folder, or "JVDATA" in it.
std::string RecordingFolderFromSettings(const std::string& app_path, const std::string& settings_file);

// An instance for a window: it replays the folder of the settings, read again on every
// request so that a change made in the settings dialog applies at once.
std::unique_ptr<ReplayJvLink> MakeReplayJvLink(const std::string& app_path,
                                               std::string settings_file = DefaultJvLinkSettingsFile());

}  // namespace radadovur::jvlink
