#include "steps/predict.h"

#include <vector>

#include "common/names.h"
#include "engine/calculation_driver.h"
#include "engine/expand_week.h"
#include "engine/stats_lookup.h"
#include "common/failure_report.h"
#include "steps/gate.h"
#include "steps/model_package.h"
#include "steps/week_record.h"

namespace radadovur::steps {
namespace {

constexpr size_t kNamedInText = 5;  // ids named in Text3; the message names them all

std::string Joined(const std::vector<std::string>& ids, size_t limit) {
  std::string text;
  for (size_t i = 0; i < ids.size() && i < limit; ++i) text += (i ? " " : "") + common::Shown(ids[i]);
  if (ids.size() > limit) text += " ほか";
  return text;
}

}  // namespace

common::Status LoadPredictionModel(const common::RunState& state, engine::ReferenceModel& model,
                                   common::StepHost& host, ModelLoadFailure told) {
  // A missing program folder is said first, as every step says it, not as a missing model file.
  if (common::Status folder = common::CheckProgramFolder(state); !folder.ok()) {
    host.Message(folder.ToString());
    return folder;
  }
  std::string error;
  if (engine::LoadReferenceModel(state.AppPath, model, &error)) return common::Status::OK();
  common::Status status = common::Status::Corruption(state.AppPath + "OPTION1N", error);
  if (told == ModelLoadFailure::kUnpackAdvice)
    host.Message("予想因子ウエイトを読み込めないため、⑤計算を行いませんでした。\n" + error + "\n" +
                 PackageUnpackAdvice(state.AppPath, "predict"));
  else
    host.Message(std::string(kModelLoadFailedMessage) + "\n" + error);
  return status;
}

std::string PredictFailedText(const std::vector<std::string>& failed_horses, size_t failures) {
  if (failed_horses.empty()) return "計算は終わりましたが、" + std::to_string(failures) + "件の処理ができませんでした。";
  return "計算は終わりましたが、" + std::to_string(failed_horses.size()) + "頭を処理できませんでした: " +
         Joined(failed_horses, kNamedInText);
}

common::StepFailures RunPrediction(const common::RunState& state, const engine::ReferenceModel& reference,
                                   common::StepHost& host) {
  const std::string& app_path = state.AppPath;
  // Without step ②'s horse list there is no horse to calculate: the expanded records stay. The
  // race and horse files are what the expanded records are built from.
  StepGate gate(state, host, WeekStep::kPredict);
  if (!gate.Admit()) return std::move(gate.failures());
  engine::BuildReport build;
  std::vector<std::string> failed_horses;
  bool worked = false;
  const auto work = [&](GateRun& run) {
    worked = true;
    host.SetStatus(common::StatusSlot::kPredictText3, std::string(kPredictStartText));
    host.Yield();  // the start text is drawn before the long work
    // The builder keeps the records in memory and the calculation writes each file once.
    build = engine::ExpandThisWeek(app_path, host, engine::BuildOutput::kMemory);
    if (build.stopped) {
      run.failures = std::move(build.failures);
      return;
    }
    // The user stopped ⑤ between two horses: the record keeps it not finished, so ⑥ waits until
    // it runs again.
    if (build.failures.stopped) {
      run.failures = std::move(build.failures);
      return;
    }
    // A horse the builder failed has an empty (or, when it could not be emptied, a stale) file:
    // there is nothing of this week's to calculate.
    std::vector<std::string> horses;
    horses.reserve(build.horses.size());
    for (const auto& id : build.horses)
      if (!build.HasFailed(id)) horses.push_back(id);
    engine::StatsLookup stats(app_path);
    engine::CalculationReport calculation =
        engine::RunCalculation(app_path, horses, build.built, reference, stats, host);
    failed_horses = build.failed_horses;
    failed_horses.insert(failed_horses.end(), calculation.failed_horses.begin(), calculation.failed_horses.end());
    for (auto& f : build.failures.items) run.failures.Add(std::move(f));
    for (auto& f : calculation.failures.items) run.failures.Add(std::move(f));
    if (calculation.failures.stopped) {
      run.failures.stopped = true;
      return;
    }
    // Horses that failed do not stop the step: the record names them for ⑥, which leaves their
    // races out. A failure of no single horse leaves the week's run unfinished.
    run.finished_despite_failures = !build.failed_outside_horses;
    run.failed_horses = failed_horses;
  };
  const auto report = [&](GateRun& run) {
    if (run.failures.stopped) {  // no failure list
      host.SetStatus(common::StatusSlot::kPredictText3, std::string(kPredictCancelledText));
      return;
    }
    if (!worked || build.stopped) {  // the week's record or a whole pass could not be written
      host.SetStatus(common::StatusSlot::kPredictText3, std::string(kPredictStoppedText));
      host.FailureMessage(common::MakeFailureReport(kPredictFailureHeading, run.failures));
      return;
    }
    host.SetStatus(common::StatusSlot::kPredictText3,
                   run.failures.empty() ? std::string(kPredictEndText)
                                        : PredictFailedText(failed_horses, run.failures.items.size()));
    if (!run.failures.empty()) {
      common::FailureReport failed = common::MakeFailureReport(kPredictFailureHeading, run.failures);
      if (!build.stale_dropped.empty()) {
        // Two lists, each under its own heading: a failure must not read as one of the stale horses.
        failed.summary += "\n今週の出走記録を除いた馬 " + std::to_string(build.stale_dropped.size()) + " 頭（一覧の最後に）。";
        failed.lines.insert(failed.lines.begin(), std::string(kPredictFailuresListHeading));
        failed.lines.push_back(std::string(kStaleDroppedHeading));
        failed.lines.insert(failed.lines.end(), build.stale_dropped.begin(), build.stale_dropped.end());
      }
      host.FailureMessage(failed);
    } else if (!build.stale_dropped.empty()) {
      host.Message(std::string(kStaleDroppedHeading) + "\n" + Joined(build.stale_dropped, build.stale_dropped.size()));
    }
  };
  return gate.Run(work, report);
}

}  // namespace radadovur::steps
