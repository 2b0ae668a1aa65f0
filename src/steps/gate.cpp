#include "steps/gate.h"

namespace radadovur::steps {
namespace {

// A refusal's failure: shown once, the step changed nothing.
void Refused(common::StepHost& host, common::StepFailures& failures, common::Status why, std::string_view name) {
  std::string text = why.ToString();
  if (text.size() < 3 || text.compare(text.size() - 3, 3, "。") != 0) text += "。";
  host.Message(text + std::string(name) + "は行いませんでした。");
  failures.Add(std::move(why));
  failures.refused = true;
}

// The folder's check and its lock, taken into `lock` unless `state` holds it already. False when
// the step may not run (shown, and in `failures`).
bool TakeFolder(const common::RunState& state, common::StepHost& host, std::string_view name, common::FolderLock& lock,
                common::StepFailures& failures) {
  if (common::Status s = common::CheckProgramFolder(state); !s.ok()) {
    host.Message(s.ToString());
    failures.Add(std::move(s));
    return false;
  }
  if (state.HeldLock && state.HeldLock->held()) return true;
  // Taken before anything of the folder is read, held until the last mark is written.
  // Busy, or a lock file that cannot be used: the step ran nothing and changed nothing.
  if (common::Status s = lock.Take(state.AppPath, state.Front, name); !s.ok()) {
    Refused(host, failures, std::move(s), name);
    return false;
  }
  if (lock.unguarded()) host.Message(common::UnguardedFolderText(state.AppPath));
  return true;
}

}  // namespace

StepGate::StepGate(const common::RunState& state, common::StepHost& host, WeekStep step)
    : state_(state), host_(host), step_(step), name_(RowOf(step).name) {}

StepGate::StepGate(const common::RunState& state, common::StepHost& host, std::string_view name)
    : state_(state), host_(host), name_(name) {}

bool StepGate::Admit(const std::function<void(MissingInputs&)>& extra, std::optional<WeekStep> also_finished) {
  if (!TakeFolder(state_, host_, name_, own_lock_, failures_)) return false;
  MissingInputs missing(state_.AppPath);
  if (step_) NeedStepInputs(missing, *step_);
  if (extra) extra(missing);
  if (step_) NeedFinished(missing, *step_);
  if (also_finished) NeedFinished(missing, *also_finished, /*itself=*/true);
  if (missing.Refuse(name_, host_, failures_)) return false;
  admitted_ = true;
  return true;
}

common::StepFailures StepGate::Run(const std::function<void(GateRun&)>& work, const std::function<void(GateRun&)>& report,
                                   std::optional<WeekStep> due) {
  if (!admitted_) return failures_;
  GateRun run;
  if (!step_) {
    work(run);
    if (report) report(run);
    return std::move(run.failures);
  }
  const WeekStep step = *step_;
  RecordBefore before;
  if (step == WeekStep::kDownload) {
    // A damaged or unreadable record is named; the new download writes it anew.
    WeekRecord record;
    if (common::Status s = ReadWeekRecord(state_.AppPath, record); !s.ok())
      host_.Message(s.ToString() + "。" + std::string(name_) + "で新しく書き直します。");
    (void)ReadRecordBefore(state_.AppPath, before);  // an unreadable one is not put back
  }
  uint64_t download = 0;
  if (common::Status s = MarkStepStarted(state_.AppPath, step, download, due); !s.ok()) {
    // The step's report tells it, among its failures; without one the gate does.
    if (!report) host_.Message(s.ToString());
    run.failures.Add(std::move(s));
    if (report) report(run);
    return std::move(run.failures);
  }
  work(run);
  if (run.store_unchanged) {
    run.failures.Add(RestoreRecord(state_.AppPath, step, download, before));
  } else if (!run.not_finished && !run.failures.stopped && (run.failures.empty() || run.finished_despite_failures)) {
    const common::Status mark = MarkStepFinished(state_.AppPath, step, download, run.failed_horses);
    run.finished = mark.ok();
    run.failures.Add(mark);
  }
  if (report) report(run);
  return std::move(run.failures);
}

common::StepFailures MayRun(const common::RunState& state, common::StepHost& host, WeekStep step) {
  StepGate gate(state, host, step);
  (void)gate.Admit();
  return std::move(gate.failures());
}

FolderHold::FolderHold(common::RunState& state, common::StepHost& host, std::string_view name) : state_(state) {
  held_ = TakeFolder(state, host, name, lock_, failures_);
  if (held_ && lock_.held()) state_.HeldLock = &lock_;
}

FolderHold::~FolderHold() {
  if (state_.HeldLock == &lock_) state_.HeldLock = nullptr;
}

}  // namespace radadovur::steps
