#pragma once
#include <string>

#include "common/status.h"
#include "results/race_steps.h"
#include "results/results_window_state.h"

// The runner stages of the results pass: the runner files before its race loop, and the first
// half of each race's first stage (runner figures and marks, the ranking, the two runner files
// of the ticket folder).
namespace radadovur::results {

// The current race's first stage up to the pairs: sizes the race's arrays, reads the runner
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
