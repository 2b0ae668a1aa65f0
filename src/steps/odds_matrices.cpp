#include "steps/odds_matrices.h"

#include <string>

#include "common/failure_report.h"
#include "common/record_file.h"
#include "steps/step_inputs.h"

namespace radadovur::steps {
namespace {

// The fetches that write the odds files of each source.
constexpr ProducerStep kThisWeekOddsFetch{3, "今週のオッズファイル", "今週オッズ取得"};
constexpr ProducerStep kRealtimeOddsFetch{3, "速報オッズのファイル", "Ⅰ　速報情報(一括）の「Ⅱ　速報オッズ情報」"};

// Before any odds of the source were fetched there is nothing to process: the step is refused
// with the fetch to run first. With some of the files there (a fetch of only some kinds) the
// missing kinds are processed as having no odds.
bool RefusedBeforeTheFetch(const common::RunState& state, common::StepHost& host, common::StepFailures& failures) {
  const bool realtime = state.OddsSource == 1;
  MissingInputs missing(state.AppPath);
  for (const store::OddsPass& pass : store::kOddsPasses) {
    const std::string_view name = realtime ? pass.realtime_file : pass.this_week_file;
    if (common::FileExists(state.AppPath + std::string(name))) return false;
    missing.Need(name, realtime ? kRealtimeOddsFetch : kThisWeekOddsFetch);
  }
  return missing.Refuse(OddsMatrixStepName(state.OddsSource), host, failures);
}

}  // namespace

std::string_view OddsMatrixStepName(int odds_source) { return odds_source == 1 ? "速報オッズ処理" : "今週のオッズ処理"; }

store::OddsMatrixReport RunOddsMatrices(const common::RunState& state, common::StepHost& host) {
  store::OddsMatrixReport report;
  if (RefusedBeforeTheFetch(state, host, report.failures)) return report;
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
  return report;
}

std::string OddsMatricesEndText(int odds_source, const common::StepFailures& failures) {
  const std::string name(OddsMatrixStepName(odds_source));
  if (failures.refused) return name + "は行いませんでした。";
  return name + (failures.empty() ? "終了" : "で失敗がありました。");
}

}  // namespace radadovur::steps
