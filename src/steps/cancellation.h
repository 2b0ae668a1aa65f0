#pragma once
#include <string_view>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "jvlink/jv_link.h"
#include "steps/week_steps.h"

// The cancellation processing that button ② runs after the structure processing when the main
// window's cancellation option is selected: fetches the realtime results of the last race days,
// takes the cancelled races and runners out of the store together with every record of
// category "1" and "9", and rebuilds the per-horse entry files. Reports in the window
// CHUSIRIALTIME's Text1.
namespace radadovur::steps {

inline constexpr std::string_view kCancellationStartText = "中止処理中。。";
inline constexpr std::string_view kCancellationEndText =
    "中止処理終了コマンドボタンはソフトを完全に終了する時まではクリックしないで下さい。";
inline constexpr std::string_view kCancellationStepName = RowOf(WeekStep::kCancellation).name;
inline constexpr std::string_view kCancellationFailedText = "中止処理で次の処理ができませんでした。";

// The window's load: the start text, the fetch, the cancellation passes over the store and the
// per-horse rebuild, then the end text when nothing failed, or else a text and a message that
// list what failed. Refused, with nothing changed, when step ②'s working copies or horse list are
// missing. A store file that fails ends the processing at once (every file stays whole, as it
// was before or after); JV-Link problems are shown and the processing goes on with what was
// fetched.
common::StepFailures RunCancellationProcessing(const common::RunState& state, jvlink::JvLink& link,
                                               common::StepHost& host);

}  // namespace radadovur::steps
