#pragma once
#include <string>
#include <string_view>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "steps/week_steps.h"

// Step ② of the week: turns the raw record files of the download into the sorted store (race,
// runner and horse files with one record per key, the horse and dam lists, one entry file per
// horse). Reports through the main window's status box Text4 and label Label1.
namespace radadovur::steps {

inline constexpr std::string_view kStructureStartText =
    "構造体処理を開始しました。しばらくお待ちください。。。。。。。";
inline constexpr std::string_view kStructureEndText = "構造体処理終了";
// Text4 at the end of a run with failures, in place of the end text.
inline constexpr std::string_view kStructureFailedText = "構造体処理で失敗がありました。";
// The step's name in the message that refuses it when step ①'s race or runner file is missing
// (the store stays as it is).
inline constexpr std::string_view kStructureStepName = RowOf(WeekStep::kStructure).name;
// The structure window's own text once the processing is done.
inline constexpr std::string_view kStructureWindowText =
    "中止処理を選択した場合、中止処理終了が出ますので暫くお待ち下さい。";

// The whole processing, step by step; refused, with nothing changed, when step ① has not finished
// or its race or runner file is missing. A failing item is skipped, the processing goes on, and
// the failures are listed in a message at the end and returned; "構造体処理終了" only when nothing
// failed.
common::StepFailures RunStructureProcessing(const common::RunState& state, common::StepHost& host);

}  // namespace radadovur::steps
