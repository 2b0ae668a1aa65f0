#pragma once
#include <string>

#include "common/status.h"
#include "results/race_steps.h"
#include "results/results_window_state.h"

// The runner stages of the results pass: the runner files of step 8, and the first half of
// step 13 (runner figures and marks, the ranking, the two runner files of the ticket folder).
namespace radadovur::results {

// Step 13 up to the pairs, for the current race: sizes the race's arrays, reads the runner
// figures and marks, appends the runner lines to the race's ticket-folder file, sets SdValue,
// ranks the runners and writes "<RaceKey>SORT.dat" and "<RaceKey>LUPSORT.dat". The pair stage
// runs after it on the same state.
void RunnerFiguresAndRanking(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures);

// Hooks with PutEntries, CopyRuns and RunnerFiguresAndPairs = RunnerFiguresAndRanking; the
// other stages empty. A caller with a pair stage composes it after ours:
//   hooks.RunnerFiguresAndPairs = [](auto& app, auto& state, auto& failures) {
//     RunnerFiguresAndRanking(app, state, failures);
//     <pairs>(app, state, failures);
//   };
RaceStepHooks RunnerHooks();

}  // namespace radadovur::results
