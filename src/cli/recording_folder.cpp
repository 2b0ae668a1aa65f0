#include "cli/recording_folder.h"

#include <cstdio>
#include <string>

#include "common/status.h"
#include "jvlink/jvlink_settings.h"

namespace radadovur::cli {

std::unique_ptr<jvlink::ReplayJvLink> CommandJvLink(const common::RunState& state, const Arguments& args) {
  std::string folder;
  const char* why = "";
  if (auto given = args.Value(kRecordingsOption)) {
    folder = *given;
    why = "--recordings の指定";
  } else {
    const std::string settings = jvlink::DefaultJvLinkSettingsFile();
    folder = jvlink::RecordingFolderFromSettings(state.AppPath, settings);
    why = jvlink::LoadRecordingFolderSetting(settings, state.AppPath) ? "JV-Link の設定" : "プログラムのフォルダの JVDATA";
  }
  std::printf("[JV-Link] 記録フォルダ: %s（%s）\n", common::Shown(folder).c_str(), why);
  std::fflush(stdout);
  return std::make_unique<jvlink::ReplayJvLink>(folder);
}

}  // namespace radadovur::cli
