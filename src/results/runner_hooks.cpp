#include "results/runner_hooks.h"

#include "results/ranking.h"
#include "results/runner_figures.h"
#include "results/runner_files.h"

namespace radadovur::results {

void RunnerFiguresAndRanking(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  RunnerFigures(app_path, state, failures);
  RankRunners(state, failures);
  WriteRunnerSortFiles(app_path, state, failures);
}

RaceStepHooks RunnerHooks() {
  RaceStepHooks hooks;
  hooks.PutEntries = PutEntries;
  hooks.CopyRuns = CopyRuns;
  hooks.RunnerFiguresAndPairs = RunnerFiguresAndRanking;
  return hooks;
}

}  // namespace radadovur::results
