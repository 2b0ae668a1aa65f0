#pragma once
#include <memory>

#include "cli/arguments.h"
#include "common/run_state.h"
#include "jvlink/replay_jv_link.h"

// The JV-Link stand-in of a command that downloads. It replays, as the windows do, the folder the
// JV-Link settings (設定) name for this program folder, or else the program folder's "JVDATA";
// "--recordings RDIR" names another folder for this run alone. The folder is printed before the
// step starts, so that a run never replays another week's recordings unseen.
namespace radadovur::cli {

inline constexpr const char* kRecordingsOption = "--recordings";

std::unique_ptr<jvlink::ReplayJvLink> CommandJvLink(const common::RunState& state, const Arguments& args);

}  // namespace radadovur::cli
