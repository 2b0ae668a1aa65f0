#pragma once
#include <chrono>
#include <string>

#include "common/step_ui.h"

// Start-up of the program (the main window's load): working folders, the model-package check
// and its age, the realtime files of the previous run, the reminder. It never stops: a failing
// item is skipped and named in `failures`; the window shows nothing more for it.
namespace radadovur {

inline constexpr const char* kStartupReminder = "今週の結果は必ず前に今週の予想の3つの操作を行って下さい。";

// `app_path` ends in "/"; `today` is the local date the package's age is counted to.
void RunStartup(const std::string& app_path, std::chrono::year_month_day today, StepUi& ui,
                StepFailures& failures);

}  // namespace radadovur
