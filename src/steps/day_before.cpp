#include "steps/day_before.h"

#include "common/names.h"
#include "engine/day_before.h"
#include "common/failure_report.h"
#include "steps/gate.h"
#include "steps/week_record.h"

namespace radadovur::steps {

common::StepFailures RunDayBefore(const common::RunState& state, common::StepHost& host) {
  StepGate gate(state, host, WeekStep::kDayBefore);
  // The horse list and the race file come from step ②; once the results are final the payouts
  // from step ①.
  if (!gate.Admit()) return std::move(gate.failures());
  // Stopped: a store file or the week's record could not be read or written.
  bool stopped = true;
  bool worked_clean = false;
  const auto work = [&](GateRun& run) {
    common::Status status = engine::FixPreviousDay(state.AppPath, host, run.failures);
    // Without a failure of its own, only the finished mark can fail after this.
    stopped = !status.ok();
    worked_clean = status.ok() && run.failures.empty();
    run.failures.Add(std::move(status));
  };
  const auto report = [&](GateRun& run) {
    if (run.failures.empty()) {
      host.SetStatus(common::StatusSlot::kPredictText1, std::string(kDayBeforeEndText));
      return;
    }
    if (worked_clean) stopped = true;  // the finished mark failed
    host.SetStatus(common::StatusSlot::kPredictText1,
                   std::string(stopped ? kDayBeforeStoppedText : kDayBeforeFailedText));
    host.FailureMessage(common::MakeFailureReport(kDayBeforeFailureHeading, run.failures));
  };
  return gate.Run(work, report);
}

}  // namespace radadovur::steps
