#pragma once
#include <string>
#include <string_view>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "jvlink/jv_link.h"
#include "results/realtime_patch.h"
#include "steps/week_steps.h"

// The realtime results window VLTHRRIALTIME's load: the realtime win odds ("0B30") of the last
// races of the download, the realtime results ("0B12") of the last race days, and the patches of
// this week's entry in the per-race runner files.
namespace radadovur::steps {

// Reads per race of a "0B30" request: its records come before the first -1.
inline constexpr int kRealtimeWinOddsReads = 6;

// Empties "O1RIALTIME.dat", then for the last 97 records of "RATHISWEEKN.dat" (the download's
// race file in delivery order, the last record first; never before record 1) requests "0B30"
// with the record's RaceId and appends every delivered O1 record as it came. JV-Link problems
// are shown ("JVInitエラー。RC=") or listed and added to `failures`; the fetch goes on. A file
// that cannot be read or written ends the fetch: that failure is returned (and not added).
common::Status FetchRealtimeWinOdds(const std::string& app_path, jvlink::JvLink& link, common::StepHost& host,
                                   common::StepFailures& failures);

struct RealtimeResultsReport {
  common::StepFailures failures;
  results::RealtimePatchCounts counts;
};

// The load, refused with nothing fetched or changed when step ⑥'s race details are missing: both
// fetches, then the runner patch and the win-odds patch. A failing part is
// skipped and the load goes on; at the end one message lists every failure and the patches that
// found no runner file or no runner.
RealtimeResultsReport LoadRealtimeResults(const common::RunState& state, jvlink::JvLink& link, common::StepHost& host);

// The realtime menu's text after the window: its end text, or when the load failed a text that
// says so (the load's message has the details).
inline constexpr std::string_view kRealtimeResultsFailedText = "速報払戻等取得及び処理で失敗がありました。";
inline constexpr std::string_view kRealtimeResultsRefusedText = "速報払戻等取得及び処理は行いませんでした。";
inline constexpr std::string_view kRealtimeResultsStepName = RowOf(WeekStep::kRealtimeResults).name;
std::string RealtimeResultsMenuEndText(const common::StepFailures& failures);

}  // namespace radadovur::steps
