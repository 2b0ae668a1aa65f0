#pragma once
#include <chrono>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "jvlink/jv_link.h"

// Step ①: downloads this week's race, runner, horse, jockey and payout records into the raw
// record files of the race store ("RATHISWEEKN.dat" ... "HRTHISWEEKN.dat"), in delivery order.
namespace radadovur::steps {

// Runs the whole step with the JV-Link instance of the window that runs it. Status texts go to
// the main window's Text1 and Label1; the wait for files to download shows progress and can be
// cancelled (state.DownloadCount and state.DownloadResult keep what it decided). JV-Link errors
// are shown as they happen; file operations that failed are listed in one message at the end.
// Every failure is in the result.
common::StepFailures RunThisWeekDownload(common::RunState& state, jvlink::JvLink& link, common::StepHost& host,
                                         std::chrono::milliseconds poll_interval = std::chrono::milliseconds(10));

}  // namespace radadovur::steps
