#include "steps/day_before.h"

#include "engine/day_before.h"
#include "common/failure_report.h"

namespace radadovur::steps {

common::StepFailures RunDayBefore(const common::RunState& state, common::StepHost& host) {
  common::StepFailures failures;
  common::Status status = common::CheckProgramFolder(state);
  if (status.ok()) status = engine::FixPreviousDay(state.AppPath, host);
  if (status.ok()) {
    host.SetStatus(common::StatusSlot::kPredictText1, std::string(kDayBeforeEndText));
    return failures;
  }
  failures.Add(std::move(status));
  host.SetStatus(common::StatusSlot::kPredictText1, std::string(kDayBeforeStoppedText));
  host.FailureMessage(common::MakeFailureReport(kDayBeforeFailureHeading, failures));
  return failures;
}

}  // namespace radadovur::steps
