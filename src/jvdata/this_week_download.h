#pragma once
#include <string>

#include "common/step_ui.h"
#include "jvdata/download_progress.h"
#include "jvlink/jv_link.h"

// Step ①: downloads this week's race, runner, horse, jockey and payout records into the raw
// record files of the race store ("RATHISWEEKN.dat" ... "HRTHISWEEKN.dat"), in delivery order.
namespace radadovur {

// Runs the whole step for the window that owns `link` and `state` (the main window). `ui` is that
// window ("Text1", "Label1", message boxes); `progress` shows the download when files must be
// downloaded first. JV-Link errors are shown as they happen; file operations that failed are
// listed in one message at the end. Every failure is in the result.
StepFailures RunThisWeekDownload(const std::string& app_path, JvLink& link, StepUi& ui,
                                 DownloadProgressHost& progress, DownloadState& state);

}  // namespace radadovur
