#include "steps/results.h"

#include <utility>

#include "common/status.h"
#include "documents/document_writers.h"
#include "export/export_writers.h"
#include "export/web_writers.h"
#include "formation/formation_writers.h"
#include "results/runner_hooks.h"
#include "results/ticket_stages.h"
#include "common/failure_report.h"
#include "steps/gate.h"
#include "steps/week_record.h"

namespace radadovur::steps {

ResultsPassParts AssembleResultsPassParts() {
  ResultsPassParts parts;
  // Stages: runner files (PutEntries, CopyRuns), runner figures and pairs, bet lists, rate tables.
  // Writers: the documents, the formation strategy, the exports and pages.
  parts.hooks = results::RunnerHooks();
  parts.hooks.RunnerFiguresAndPairs = [](const std::string& app_path, results::ResultsWindowState& state,
                                         common::StepFailures& failures) {
    results::RunnerFiguresAndRanking(app_path, state, failures);
    results::PairTicketsStage(app_path, state, failures);
  };
  parts.hooks.BetListsAndSortFiles = results::BetListsAndSortFilesStage;
  parts.hooks.RateTables = results::RateTablesStage;
  parts.writers = std::make_unique<documents::DocumentWriters>(
      std::make_unique<formation::FormationWriters>(
          std::make_unique<exports::ExportWriters>(
              std::make_unique<exports::WebWriters>(std::make_unique<results::NoRaceWriters>()))));
  return parts;
}

results::ResultsPassOutcome RunResultsStep(const common::RunState& run, common::StepHost& host,
                                           results::ResultsWindowState& state,
                                           const std::set<std::string>& predict_failed_horses) {
  results::ResultsPassOutcome outcome;
  StepGate gate(run, host, WeekStep::kResults);
  if (!gate.Admit()) {
    outcome.failures = std::move(gate.failures());
    return outcome;
  }
  const auto work = [&](GateRun& gate_run) {
    host.SetStatus(common::StatusSlot::kMainText5, std::string(kResultsStartText));
    host.Yield();  // the start text shows before the long pass
    state.PredictFailedHorses = predict_failed_horses;
    // The horses that failed in ⑤'s last run, as the week's record keeps them: their races are left out.
    {
      WeekRecord record;
      (void)ReadWeekRecord(run.AppPath, record);  // a damaged record refused the step above
      state.PredictFailedHorses.insert(record.failed_horses.begin(), record.failed_horses.end());
    }
    ResultsPassParts parts = AssembleResultsPassParts();
    outcome = results::RunResultsPass(run, host, parts.hooks, *parts.writers, state);
    gate_run.failures = std::move(outcome.failures);
  };
  const auto report = [&](GateRun& gate_run) {
    // Stopped by the user: not finished, and no failure list over a closing window.
    if (!gate_run.failures.empty() && !gate_run.failures.stopped)
      host.FailureMessage(common::MakeFailureReport("予想･結果で次の処理ができませんでした。", gate_run.failures));
  };
  outcome.failures = gate.Run(work, report);
  return outcome;
}

}  // namespace radadovur::steps
