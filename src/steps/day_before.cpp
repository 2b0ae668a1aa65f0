#include "steps/day_before.h"

#include "common/names.h"
#include "engine/day_before.h"
#include "common/failure_report.h"
#include "steps/step_inputs.h"
#include "steps/week_record.h"

namespace radadovur::steps {

common::StepFailures RunDayBefore(const common::RunState& state, common::StepHost& host) {
  common::StepFailures failures;
  common::Status status = common::CheckProgramFolder(state);
  if (status.ok()) {
    // The horse list and the race file come from step ②; once the results are final the payouts
    // from step ①.
    MissingInputs missing(state.AppPath);
    missing.Need(common::names::kKettoNumList, kStructureStep);
    missing.Need(common::names::kRaNew, kStructureStep);
    bool final = false;
    if (missing.empty() && engine::ReadResultsFinal(state.AppPath, final).ok() && final)
      missing.Need(common::names::kHrThisWeek, kDownloadStep);
    NeedFinished(missing, WeekStep::kDayBefore);
    if (missing.Refuse(kDayBeforeStepName, host, failures)) return failures;
    status = MarkStepStarted(state.AppPath, WeekStep::kDayBefore);
    if (status.ok()) status = engine::FixPreviousDay(state.AppPath, host, failures);
    if (status.ok() && failures.empty()) status = MarkStepFinished(state.AppPath, WeekStep::kDayBefore);
  }
  if (status.ok() && failures.empty()) {
    host.SetStatus(common::StatusSlot::kPredictText1, std::string(kDayBeforeEndText));
    return failures;
  }
  const bool stopped = !status.ok();
  failures.Add(std::move(status));
  host.SetStatus(common::StatusSlot::kPredictText1,
                 std::string(stopped ? kDayBeforeStoppedText : kDayBeforeFailedText));
  host.FailureMessage(common::MakeFailureReport(kDayBeforeFailureHeading, failures));
  return failures;
}

}  // namespace radadovur::steps
