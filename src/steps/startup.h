#pragma once
#include <chrono>
#include <string_view>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"

// Start-up of the program (the main window's load): working folders, the model-package check
// and its age, the realtime files of the previous run, the reminder. It never stops: a failing
// item is skipped and returned; the window shows nothing more for it.
namespace radadovur::steps {

// The start-up's name for a run that the folder's lock refuses.
inline constexpr std::string_view kStartupStepName = "起動時の処理";

inline constexpr const char* kStartupReminder = "今週の結果は必ず前に今週の予想の3つの操作を行って下さい。";

// What the start-up says when the model package is missing. The window points at the package's
// self-extracting installer, as the user of the windows knows it; the command line, where no
// installer runs, names the folder to unpack the package into, and counts the missing package
// as a failure.
enum class PackageMissing { kSelfExtractorMessage, kUnpackIntoFailure };

// A folder the start-up may fill with its working folders: one holding the model package's
// folder "OPTION1N" (in any case of letters) or the recordings' "JVDATA", or an empty one. Any
// other folder (a home folder, a mistyped neighbour) is not taken for a program folder.
bool LooksLikeProgramFolder(const std::string& app_path);

// `today` is the local date the package's age is counted to.
common::StepFailures RunStartup(const common::RunState& state, std::chrono::year_month_day today,
                                common::StepHost& host,
                                PackageMissing missing = PackageMissing::kSelfExtractorMessage);

}  // namespace radadovur::steps
