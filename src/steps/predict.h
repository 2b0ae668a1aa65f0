#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "engine/weight_model.h"
#include "steps/week_steps.h"

// Step ⑤ of the prediction window: this week's extracts, every listed horse's expanded records
// built from its runs, then the calculation of its codes, categories and predicted speeds.
// Reports through the window's Text3, ProgressBar3 and ProgressBar4.
namespace radadovur::steps {

inline constexpr std::string_view kPredictStartText = "計算を開始しました。標準で約10分かります。。。。。。";
inline constexpr std::string_view kPredictEndText = "計算終了";
// A damaged shared input or an extract that could not be written: nothing was calculated.
inline constexpr std::string_view kPredictStoppedText = "計算を中断しました。";
// The user stopped the step (a window closed while it ran): it is not finished.
inline constexpr std::string_view kPredictCancelledText = "計算を中止しました。⑤計算をもう一度実行して下さい。";
inline constexpr std::string_view kPredictStepName = RowOf(WeekStep::kPredict).name;
// The window's load when the model cannot be read, followed by the reason naming the file.
inline constexpr std::string_view kModelLoadFailedMessage =
    "予想因子ウエイトを読み込めませんでした。このウィンドウでは⑤計算を行えません（④前日固定は行えます）。";
// ⑤ in a window whose model could not be read.
inline constexpr std::string_view kPredictRefusedMessage =
    "予想因子ウエイトを読み込めなかったため、⑤計算を行いません。予想因子ウエイトを展開し直してからウィンドウを開き直して下さい。";
inline constexpr std::string_view kPredictFailureHeading = "計算で次の処理ができませんでした。";
// The failures' own heading in a list that also names the stale horses.
inline constexpr std::string_view kPredictFailuresListHeading = "処理できなかったもの:";
inline constexpr std::string_view kStaleDroppedHeading =
    "次の馬は今週の出走記録が前走より古い日付のため、今週の出走記録を除きました（前走で予想されます）:";

// How a model that cannot be read is told: the window's message (kModelLoadFailedMessage), or,
// where no window is open (the command line), that ⑤ was not done, where the package goes and
// how to get one.
enum class ModelLoadFailure { kWindowMessage, kUnpackAdvice };

// Loads the three surfaces' model as the prediction window does when it opens. On a failure
// shows the message of `told` with the reason (naming the file) and returns it.
common::Status LoadPredictionModel(const common::RunState& state, engine::ReferenceModel& model,
                                   common::StepHost& host, ModelLoadFailure told = ModelLoadFailure::kWindowMessage);

// Text3 at the end of a run of ⑤ with failures: how many horses failed and which (the first few
// ids of `failed_horses`), or, when no horse failed, how many items.
std::string PredictFailedText(const std::vector<std::string>& failed_horses, size_t failures);

// The whole of ⑤ with the model the window loaded; refused, with nothing changed, when step ②'s
// horse list is missing. A horse that fails is skipped and the run goes
// on; at the end Text3 shows "計算終了" only when everything was done, otherwise how many horses
// failed and which, and a message lists every failure. Horses whose entry for this week the stale
// rule dropped are named in a message too (they are not failures). A damaged shared input or an
// extract that cannot be written stops the step before the calculation ("計算を中断しました。").
// The host's CancelRequested stops it before the next horse (kPredictCancelledText, the result
// `stopped`), not finished. Returns the failures.
common::StepFailures RunPrediction(const common::RunState& state, const engine::ReferenceModel& reference,
                                   common::StepHost& host);

}  // namespace radadovur::steps
