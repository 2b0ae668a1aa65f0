#include "steps/odds_matrices.h"

#include <string>

#include "common/failure_report.h"
#include "common/record_file.h"
#include "steps/gate.h"

namespace radadovur::steps {
namespace {

// The fetch that writes this week's odds files (outside the week's record).
constexpr ProducerStep kThisWeekOddsFetch{3, "今週のオッズファイル", "今週オッズ取得"};

// Before any odds of the source were fetched there is nothing to process: the step is refused
// with the fetch to run first. With some of the files there (a fetch of only some kinds) the
// missing kinds are processed as having no odds.
void NeedSomeOdds(const common::RunState& state, MissingInputs& missing) {
  const bool realtime = state.OddsSource == 1;
  for (const store::OddsPass& pass : store::kOddsPasses)
    if (common::FileExists(state.AppPath + std::string(realtime ? pass.realtime_file : pass.this_week_file))) return;
  for (const store::OddsPass& pass : store::kOddsPasses)
    missing.Need(realtime ? pass.realtime_file : pass.this_week_file,
                 realtime ? RowOf(WeekStep::kRealtimeOdds).producer : kThisWeekOddsFetch);
}

// The gate's checks for the matrices of state.OddsSource.
bool AdmitMatrices(const common::RunState& state, StepGate& gate) {
  // The realtime matrices are built from a realtime fetch that finished for this download.
  const bool realtime = state.OddsSource == 1;
  return gate.Admit([&state](MissingInputs& missing) { NeedSomeOdds(state, missing); },
                    realtime ? std::optional<WeekStep>(WeekStep::kRealtimeOdds) : std::nullopt);
}

}  // namespace

std::string_view OddsMatrixStepName(int odds_source) { return odds_source == 1 ? "速報オッズ処理" : "今週のオッズ処理"; }

common::StepFailures MayRunOddsMatrices(const common::RunState& state, common::StepHost& host) {
  StepGate gate(state, host, OddsMatrixStepName(state.OddsSource));
  (void)AdmitMatrices(state, gate);
  return std::move(gate.failures());
}

store::OddsMatrixReport RunOddsMatrices(const common::RunState& state, common::StepHost& host) {
  store::OddsMatrixReport report;
  StepGate gate(state, host, OddsMatrixStepName(state.OddsSource));
  if (!AdmitMatrices(state, gate)) {
    report.failures = std::move(gate.failures());
    return report;
  }
  report.failures = gate.Run([&](GateRun& run) {
    report = store::BuildOddsMatrices(state.AppPath, state.OddsSource, [&host] { host.Yield(); });
    std::string missing;
    if (!report.missing_files.empty()) {
      missing = "次のオッズファイルがないため、オッズなしとして処理しました。";
      for (const auto& name : report.missing_files) missing += "\n" + name;
    }
    // Grouped as every step lists its failures: one line per cause, race or file, with the advice.
    if (!report.failures.empty())
      host.FailureMessage(common::MakeFailureReport(
          (missing.empty() ? "" : missing + "\n") + std::string(OddsMatrixStepName(state.OddsSource)) + "で次の処理ができませんでした。",
          report.failures));
    else if (!missing.empty())
      host.Message(missing);
    run.failures = std::move(report.failures);
  });
  return report;
}

std::string OddsMatricesEndText(int odds_source, const common::StepFailures& failures) {
  const std::string name(OddsMatrixStepName(odds_source));
  if (failures.refused) return name + "は行いませんでした。";
  return name + (failures.empty() ? "終了" : "で失敗がありました。");
}

}  // namespace radadovur::steps
