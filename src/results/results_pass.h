#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "results/race_steps.h"
#include "results/results_window_state.h"

// The results pass (step ⑥): the work the results window does when it opens. It loads the code
// table, decides whether the week's results are final, lists the week's races and then, race by
// race, reads the race's payout record, restarts the day tallies at race "01", counts the runners,
// runs the later stages and the eleven writers, and shows one progress text per race in the main
// window's Text5. A failing step is skipped and the pass goes on; every failure is named by its
// step and race in the outcome. A pass runs for a race only when the passes it reads from wrote
// their files for it; the passes left out keep the earlier run's files and are listed apart.
// Before each race the host is asked whether the user stopped the pass; it then ends there
// (failures.stopped), the races not reached left as they were.
namespace radadovur::results {

struct ResultsPassOutcome {
  // The items of the window's list box List1, in list order (UTF-8).
  std::vector<std::string> List1Items;
  common::StepFailures failures;
  // The races left out, with nothing of theirs written or left, because a runner failed in ⑤
  // (ResultsWindowState::PredictLeftOutRaces): no failure of this pass.
  std::vector<std::string> LeftOutRaces;
};

ResultsPassOutcome RunResultsPass(const common::RunState& run, common::StepHost& host, const RaceStepHooks& hooks,
                                  RaceWriters& writers, ResultsWindowState& state);

// 1 when the last record of "RATHISWEEKNNEW.dat" has data category "7"; also leaves that record
// in CurrentRaceRecord. A file without records is not final.
common::Status TestResultsFinal(const std::string& app_path, ResultsWindowState& state);

// The per-race progress text (UTF-8): the race date, the racecourse name, the race number and
// "R予想中", e.g. "20240922中山11R予想中".
std::string ProgressText(std::string_view race_key, const CodeTable& table);

// The main window's Text5 at the end of the pass: "予想･結果終了", or how many steps failed, or,
// when the pass was refused, that it did not run, or, when the user stopped it, to run it again.
std::string ResultsEndText(const common::StepFailures& failures);

}  // namespace radadovur::results
