#pragma once
#include <string_view>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "steps/week_steps.h"

// Step ④ of the prediction window: this week's entries and races put into their day-before
// state. Reports through the window's Text1 and ProgressBar1.
namespace radadovur::steps {

inline constexpr std::string_view kDayBeforeEndText = "前日固定終了";
inline constexpr std::string_view kDayBeforeStepName = RowOf(WeekStep::kDayBefore).name;
// Text1 when a store file could not be read or written: the files before it are fixed, the
// failing one and those after it are as they were.
inline constexpr std::string_view kDayBeforeStoppedText = "前日固定を中断しました。";
// Some horses' entry files were damaged and left as they were; the rest was done.
inline constexpr std::string_view kDayBeforeFailedText = "前日固定で失敗がありました。";
inline constexpr std::string_view kDayBeforeFailureHeading =
    "前日固定を最後まで行えませんでした。次のファイルを確かめてからもう一度実行して下さい。";

// Refused, with nothing changed, when the horse list or the race file of step ② (or, once the
// results are final, the payouts of step ①) is missing. Then FixPreviousDayEntries, then
// FixPreviousDayRaces; "前日固定終了" when both are done. The first
// store file that cannot be read or written stops the step with a message; it is returned.
common::StepFailures RunDayBefore(const common::RunState& state, common::StepHost& host);

}  // namespace radadovur::steps
