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
                                           results::ResultsWindowState& state) {
  results::ResultsPassOutcome outcome;
  StepGate gate(run, host, WeekStep::kResults);
  if (!gate.Admit()) {
    outcome.failures = std::move(gate.failures());
    return outcome;
  }
  const auto work = [&](GateRun& gate_run) {
    host.SetStatus(common::StatusSlot::kMainText5, std::string(kResultsStartText));
    host.Yield();  // the start text shows before the long pass
    // The horses that failed in ⑤'s last run, as the week's record keeps them: their races are left out.
    {
      WeekRecord record;
      (void)ReadWeekRecord(run.AppPath, record);  // a damaged record refused the step above
      state.PredictFailedHorses = {record.failed_horses.begin(), record.failed_horses.end()};
    }
    ResultsPassParts parts = AssembleResultsPassParts();
    outcome = results::RunResultsPass(run, host, parts.hooks, *parts.writers, state);
    // Races left out for horses that ⑤ failed and named do not keep the step from finishing.
    gate_run.failures = std::move(outcome.failures);
  };
  const auto report = [&](GateRun& gate_run) {
    // Stopped by the user: not finished, and no failure list over a closing window.
    if (gate_run.failures.stopped) return;
    const std::string left_out = "⑤計算で処理できなかった馬がいるため、次の " + std::to_string(outcome.LeftOutRaces.size()) +
                                 " レースは何も書かず、前回のファイルも消しました。";
    if (!gate_run.failures.empty()) {
      common::FailureReport failed = common::MakeFailureReport("予想･結果で次の処理ができませんでした。", gate_run.failures);
      if (!outcome.LeftOutRaces.empty()) {
        failed.summary += "\n" + left_out;
        failed.lines.push_back(left_out);
        failed.lines.insert(failed.lines.end(), outcome.LeftOutRaces.begin(), outcome.LeftOutRaces.end());
      }
      host.FailureMessage(failed);
    } else if (!outcome.LeftOutRaces.empty()) {
      std::string text = left_out;
      for (const std::string& race : outcome.LeftOutRaces) text += "\n" + race;
      host.Message(text);
    }
  };
  outcome.failures = gate.Run(work, report);
  return outcome;
}

}  // namespace radadovur::steps
