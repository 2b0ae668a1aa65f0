#include "steps/predict.h"

#include <vector>

#include "common/names.h"
#include "engine/calculation_driver.h"
#include "engine/expand_week.h"
#include "engine/stats_lookup.h"
#include "common/failure_report.h"
#include "steps/model_package.h"
#include "steps/step_inputs.h"
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

// The user stopped ⑤ between two horses: the record keeps it not finished (it was marked started),
// so ⑥ waits until it runs again; no failure list is shown.
common::StepFailures StoppedByUser(common::StepHost& host, common::StepFailures failures) {
  failures.stopped = true;
  host.SetStatus(common::StatusSlot::kPredictText3, std::string(kPredictCancelledText));
  return failures;
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
  common::StepFailures failures;
  if (common::Status s = common::CheckProgramFolder(state); !s.ok()) {
    host.Message(s.ToString());
    failures.Add(std::move(s));
    return failures;
  }
  const std::string& app_path = state.AppPath;
  // Without step ②'s horse list there is no horse to calculate: the expanded records stay.
  MissingInputs missing(app_path);
  missing.Need(common::names::kKettoNumList, kStructureStep);
  // The race and horse files the expanded records are built from.
  missing.Need(common::names::kRaNew, kStructureStep);
  missing.Need(common::names::kUmNew, kStructureStep);
  NeedFinished(missing, WeekStep::kPredict);
  if (missing.Refuse(kPredictStepName, host, failures)) return failures;
  if (common::Status s = MarkStepStarted(app_path, WeekStep::kPredict); !s.ok()) {
    host.Message(s.ToString());
    host.SetStatus(common::StatusSlot::kPredictText3, std::string(kPredictStoppedText));
    failures.Add(std::move(s));
    return failures;
  }
  host.SetStatus(common::StatusSlot::kPredictText3, std::string(kPredictStartText));
  host.Yield();  // the start text is drawn before the long work

  // The builder keeps the records in memory and the calculation writes each file once.
  engine::BuildReport build = engine::ExpandThisWeek(app_path, host, engine::BuildOutput::kMemory);
  if (build.stopped) {
    host.SetStatus(common::StatusSlot::kPredictText3, std::string(kPredictStoppedText));
    host.FailureMessage(common::MakeFailureReport(kPredictFailureHeading, build.failures));
    return std::move(build.failures);
  }
  if (build.failures.stopped) return StoppedByUser(host, std::move(build.failures));
  // A horse the builder failed has an empty (or, when it could not be emptied, a stale) file:
  // there is nothing of this week's to calculate.
  std::vector<std::string> horses;
  horses.reserve(build.horses.size());
  for (const auto& id : build.horses)
    if (!build.HasFailed(id)) horses.push_back(id);
  engine::StatsLookup stats(app_path);
  engine::CalculationReport calculation = engine::RunCalculation(app_path, horses, build.built, reference, stats, host);

  std::vector<std::string> failed_horses = build.failed_horses;
  failed_horses.insert(failed_horses.end(), calculation.failed_horses.begin(), calculation.failed_horses.end());
  for (auto& f : build.failures.items) failures.Add(std::move(f));
  for (auto& f : calculation.failures.items) failures.Add(std::move(f));
  if (calculation.failures.stopped) return StoppedByUser(host, std::move(failures));
  // Horses that failed do not stop the step: the record names them for ⑥, which leaves their
  // races out. A failure of no single horse leaves the week's run unfinished.
  if (!build.failed_outside_horses) failures.Add(MarkStepFinished(app_path, WeekStep::kPredict, failed_horses));

  host.SetStatus(common::StatusSlot::kPredictText3,
                 failures.empty() ? std::string(kPredictEndText)
                                  : PredictFailedText(failed_horses, failures.items.size()));
  if (!failures.empty()) {
    common::FailureReport report = common::MakeFailureReport(kPredictFailureHeading, failures);
    if (!build.stale_dropped.empty()) {
      // Two lists, each under its own heading: a failure must not read as one of the stale horses.
      report.summary += "\n今週の出走記録を除いた馬 " + std::to_string(build.stale_dropped.size()) + " 頭（一覧の最後に）。";
      report.lines.insert(report.lines.begin(), std::string(kPredictFailuresListHeading));
      report.lines.push_back(std::string(kStaleDroppedHeading));
      report.lines.insert(report.lines.end(), build.stale_dropped.begin(), build.stale_dropped.end());
    }
    host.FailureMessage(report);
  } else if (!build.stale_dropped.empty()) {
    host.Message(std::string(kStaleDroppedHeading) + "\n" + Joined(build.stale_dropped, build.stale_dropped.size()));
  }
  return failures;
}

}  // namespace radadovur::steps
