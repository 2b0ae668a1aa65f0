#pragma once
#include <chrono>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"

// Start-up of the program (the main window's load): working folders, the model-package check
// and its age, the realtime files of the previous run, the reminder. It never stops: a failing
// item is skipped and returned; the window shows nothing more for it.
namespace radadovur::steps {

inline constexpr const char* kStartupReminder = "今週の結果は必ず前に今週の予想の3つの操作を行って下さい。";

// `today` is the local date the package's age is counted to.
common::StepFailures RunStartup(const common::RunState& state, std::chrono::year_month_day today,
                                common::StepHost& host);

}  // namespace radadovur::steps
