#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/folder_lock.h"
#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "steps/step_inputs.h"
#include "steps/week_record.h"

// The gate every step passes, in one place: the program folder's check, the folder's lock, the
// files the step needs, the steps before it finished for the current download, the refusal, the
// start mark, the step's work, the finished mark. A refused step shows the refusal alone (none
// of its own texts) and changes nothing.
namespace radadovur::steps {

// What a step's work tells the gate.
struct GateRun {
  common::StepFailures failures;
  // Failures that do not keep the step from finishing (⑤'s horses, which ⑥ leaves out).
  bool finished_despite_failures = false;
  // The step ended without its work (a download the user cancelled): not finished. So is a step
  // the user stopped (`failures.stopped`).
  bool not_finished = false;
  // ① failed or was cancelled before it changed the store: the record is put back as it was.
  bool store_unchanged = false;
  // ⑤'s horses that failed, for the record.
  std::vector<std::string> failed_horses;
  // Set by the gate before `report` runs: the finished mark was written.
  bool finished = false;
};

class StepGate {
 public:
  // A step the week's record keeps.
  StepGate(const common::RunState& state, common::StepHost& host, WeekStep step);
  // A step outside the record (the odds, the matrices, the start-up, the history, the demo
  // week): the folder's check and its lock.
  StepGate(const common::RunState& state, common::StepHost& host, std::string_view name);

  // Whether the step may run: the folder, the lock, the table's files for the step and those of
  // `extra`, the steps before it (and `also_finished`, a step it needs finished besides those).
  // False when not: the refusal (or why the folder cannot be used) is shown, and failures() holds
  // it, `refused` set for a refusal. The lock stays held while the gate lives.
  [[nodiscard]] bool Admit(const std::function<void(MissingInputs&)>& extra = {},
                           std::optional<WeekStep> also_finished = std::nullopt);

  // After Admit: the start mark (with `due`, a step that reads this one marked as due too), the
  // work, the finished mark when the work wrote everything, then `report` with the run's
  // failures (the finished mark's own among them). The failures of the whole run.
  common::StepFailures Run(const std::function<void(GateRun&)>& work,
                           const std::function<void(GateRun&)>& report = {},
                           std::optional<WeekStep> due = std::nullopt);

  common::StepFailures& failures() { return failures_; }
  std::string_view name() const { return name_; }

 private:
  const common::RunState& state_;
  common::StepHost& host_;
  std::optional<WeekStep> step_;
  std::string_view name_;
  common::FolderLock own_lock_;
  common::StepFailures failures_;
  bool admitted_ = false;
};

// Whether `step` may run now (for a window that is built only for a step that runs): the gate's
// checks, the refusal shown when not. Empty when it may.
common::StepFailures MayRun(const common::RunState& state, common::StepHost& host, WeekStep step);

// The folder held by a front end over several steps, or for work outside the table (the
// start-up, the history, the demo week into a folder): the folder's check and its lock, the
// refusal shown when another run holds it. While it lives, the steps run on `state` use it.
class FolderHold {
 public:
  FolderHold(common::RunState& state, common::StepHost& host, std::string_view name);
  ~FolderHold();
  FolderHold(const FolderHold&) = delete;
  FolderHold& operator=(const FolderHold&) = delete;

  bool held() const { return held_; }
  // Why not: the refusal (`refused`), or why the folder cannot be used.
  common::StepFailures& failures() { return failures_; }

 private:
  common::RunState& state_;
  common::FolderLock lock_;
  common::StepFailures failures_;
  bool held_ = false;
};

}  // namespace radadovur::steps
