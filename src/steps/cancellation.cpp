#include "steps/cancellation.h"

#include "common/failure_report.h"
#include "common/names.h"
#include "steps/realtime_results_fetch.h"
#include "steps/step_inputs.h"
#include "steps/week_record.h"
#include "store/store_files.h"
#include "store/cancellation.h"
#include "store/umagoto_rebuild.h"

namespace radadovur::steps {

common::StepFailures ProcessCancellations(const common::RunState& state, jvlink::JvLink& link, common::StepHost& host) {
  const std::string& app_path = state.AppPath;
  common::StepFailures failures;
  // The working copies and the horse list of step ②: without them nothing can be taken out.
  MissingInputs missing(app_path);
  for (const store::StoreFile* file : {&store::kRaNewD, &store::kSeNewD}) missing.Need(file->name, kStructureStep);
  missing.Need(common::names::kKettoNumList, kStructureStep);
  NeedFinished(missing, WeekStep::kCancellation);
  if (missing.Refuse(kCancellationStepName, host, failures)) return failures;
  if (common::Status s = MarkStepStarted(app_path, WeekStep::kCancellation); !s.ok()) {
    failures.Add(std::move(s));
    return failures;
  }
  if (common::Status s = FetchRealtimeResults(app_path, link, host, failures); !s.ok()) {
    failures.Add(std::move(s));
    return failures;
  }
  if (common::Status s = store::ApplyCancellations(app_path); !s.ok()) {
    failures.Add(std::move(s));
    return failures;
  }
  // The same merge as the structure processing: it keeps one version per run, so the first
  // stored version that a newer one replaces is also the only one.
  store::RebuildUmagotoFiles(app_path, host, failures);
  if (failures.empty()) failures.Add(MarkStepFinished(app_path, WeekStep::kCancellation));
  return failures;
}

common::StepFailures RunCancellationProcessing(const common::RunState& state, jvlink::JvLink& link,
                                               common::StepHost& host) {
  host.SetStatus(common::StatusSlot::kChusiText1, std::string(kCancellationStartText));
  common::StepFailures failures = ProcessCancellations(state, link, host);
  if (failures.refused) return failures;  // its message named what is missing
  if (failures.empty()) {
    host.SetStatus(common::StatusSlot::kChusiText1, std::string(kCancellationEndText));
    return failures;
  }
  const common::FailureReport report =
      common::MakeFailureReport(kCancellationFailedText, failures, RealtimeFileAdvice(failures));
  std::string line = report.Text();
  for (char& c : line)
    if (c == '\n') c = ' ';
  host.SetStatus(common::StatusSlot::kChusiText1, line);
  host.FailureMessage(report);
  return failures;
}

}  // namespace radadovur::steps
