#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "common/run_state.h"
#include "common/step_host.h"
#include "results/race_steps.h"
#include "results/results_pass.h"
#include "results/results_window_state.h"
#include "steps/week_steps.h"

// Step ⑥ of the week: the results pass that the results window runs when it loads. Reports its
// progress in the main window's Text5, one text per race.
namespace radadovur::steps {

inline constexpr std::string_view kResultsStepName = RowOf(WeekStep::kResults).name;
inline constexpr std::string_view kResultsStartText = "予想･結果を開始しました。しばらくお待ちください。。数分かかります。";

// The later stages of the pass and its eleven per-race writers, as far as they exist.
struct ResultsPassParts {
  results::RaceStepHooks hooks;
  std::unique_ptr<results::RaceWriters> writers;
};

// The one place where the pass's stages and writers are put together: a stage or writer that
// is built is plugged in here; one that is not stays empty (a stage) or writes nothing.
ResultsPassParts AssembleResultsPassParts();

// The whole pass on `state` (a new window's, so empty) with the parts above; refused, with
// nothing changed, when step ②'s store, step ①'s payouts once the results are final, or step
// ⑤'s expanded records of this week are missing; a failure is
// skipped, the pass goes on, and a message at the end lists what failed. Stopped by the user
// between two races (failures.stopped), it stays not finished and shows no list. The main window's
// end text for the outcome is results::ResultsEndText(outcome.failures).
//
// The horses (KettoNum) that step ⑤ failed in its last run come from the week's record of the
// steps: a race with one of them among its runners gets nothing written, the files an earlier
// run wrote for it are removed, and it is named with the horse at the end. Such races alone
// leave the step finished.
results::ResultsPassOutcome RunResultsStep(const common::RunState& run, common::StepHost& host,
                                           results::ResultsWindowState& state);

}  // namespace radadovur::steps
