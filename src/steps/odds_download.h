#pragma once
#include <chrono>
#include <cstdint>
#include <string_view>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "jvlink/jv_link.h"
#include "steps/week_steps.h"

// The odds downloads: this week's odds (the odds window VLTFOTHISWEEKNAZ) and the realtime odds
// (the realtime menu VLTP2RIALTIME). Both keep the delivered odds records as they came, one per
// line, in odds text files that the odds matrices read.
namespace radadovur::steps {

// The odds window's own download variables (the main window's are step ①'s).
struct OddsWindowState {
  int64_t DownloadCount = 0;
  int DialogResult = common::kDownloadDone;
};

// The odds window's two fetches: Command2 (quinella, exacta, trio) and Command3 (trifecta).
enum class ThisWeekOdds { kPairsAndTrio, kTrifecta };

// Fetches "TOKURACETCOVRCOV" through the window's JV-Link and keeps the records of the button's
// types, each in its own file, emptied first. The wait for files to download shows progress and
// can be cancelled. Sets state.OddsSource to 0. The end text goes to the window's Text1, or,
// after any failure, a text saying the fetch failed.
common::StepFailures RunThisWeekOdds(ThisWeekOdds which, common::RunState& state, OddsWindowState& window,
                                     jvlink::JvLink& link, common::StepHost& host,
                                     std::chrono::milliseconds poll_interval = std::chrono::milliseconds(10));

// Races of "RATHISWEEKNNEW.dat" whose realtime odds are fetched: the last 97 records.
inline constexpr int64_t kRealtimeRaceWindow = 97;
inline constexpr std::string_view kRealtimeOddsStepName = RowOf(WeekStep::kRealtimeOdds).name;

// Fetches "0B30" race by race for the last races of the sorted race file (the highest record
// number first) into the four realtime odds files, emptied first. Sets state.OddsSource to 1.
// Refused, with nothing changed, when step ② has not finished or its race file is missing. Its
// end text, like this week's, shows only when nothing failed.
common::StepFailures RunRealtimeOdds(common::RunState& state, jvlink::JvLink& link, common::StepHost& host);

// The realtime menu's Command2 around the realtime results window.
inline constexpr std::string_view kRealtimeResultsStartText = "速報払戻等取得を開始します。。。。。";
inline constexpr std::string_view kRealtimeResultsEndText = "速報払戻等取得及び処理完了";

}  // namespace radadovur::steps
