#include "steps/cancellation.h"

#include "common/failure_report.h"
#include "common/names.h"
#include "steps/realtime_results_fetch.h"
#include "steps/gate.h"
#include "steps/week_record.h"
#include "store/store_files.h"
#include "store/cancellation.h"
#include "store/umagoto_rebuild.h"

namespace radadovur::steps {

common::StepFailures RunCancellationProcessing(const common::RunState& state, jvlink::JvLink& link,
                                               common::StepHost& host) {
  const std::string& app_path = state.AppPath;
  // The working copies and the horse list of step ②: without them nothing can be taken out.
  StepGate gate(state, host, WeekStep::kCancellation);
  if (!gate.Admit()) return std::move(gate.failures());
  const auto work = [&](GateRun& run) {
    host.SetStatus(common::StatusSlot::kChusiText1, std::string(kCancellationStartText));
    if (common::Status s = FetchRealtimeResults(app_path, link, host, run.failures); !s.ok()) {
      run.failures.Add(std::move(s));
      return;
    }
    if (common::Status s = store::ApplyCancellations(app_path); !s.ok()) {
      run.failures.Add(std::move(s));
      return;
    }
    // The same merge as the structure processing: it keeps one version per run, so the first
    // stored version that a newer one replaces is also the only one.
    store::RebuildUmagotoFiles(app_path, host, run.failures);
  };
  const auto report = [&](GateRun& run) {
    if (run.failures.empty()) {
      host.SetStatus(common::StatusSlot::kChusiText1, std::string(kCancellationEndText));
      return;
    }
    const common::FailureReport failed =
        common::MakeFailureReport(kCancellationFailedText, run.failures, RealtimeFileAdvice(run.failures));
    std::string line = failed.Text();
    for (char& c : line)
      if (c == '\n') c = ' ';
    host.SetStatus(common::StatusSlot::kChusiText1, line);
    host.FailureMessage(failed);
  };
  return gate.Run(work, report);
}

}  // namespace radadovur::steps
