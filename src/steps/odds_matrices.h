#pragma once
#include <string>
#include <string_view>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "store/odds_matrix.h"

// The load of the odds-matrix window VELTRANODDSN: the odds matrices of every race from the odds
// text files that state.OddsSource names (0 this week's, 1 realtime).
namespace radadovur::steps {

// Builds the matrices. Refused, with nothing changed, when none of the source's odds files is
// there (the odds were not fetched yet): the message names the fetch to run first. Otherwise a
// missing odds file counts as empty; missing files, skipped entries and any failure are told in
// one message at the end (none when all went well). The report's failures hold what failed (a
// missing file of a partial fetch is not a failure).
store::OddsMatrixReport RunOddsMatrices(const common::RunState& state, common::StepHost& host);

// Whether the matrices may be built now (for the window, built only for a load that runs): the
// gate's checks, the refusal shown when not. Empty when they may.
common::StepFailures MayRunOddsMatrices(const common::RunState& state, common::StepHost& host);

// The step's name in its texts: "今週のオッズ処理" (odds source 0) or "速報オッズ処理" (1).
std::string_view OddsMatrixStepName(int odds_source);

// The main window's text after the matrices of `odds_source` (0 this week's, in Text2; 1 realtime,
// in Text3): its end text, or a text that says it failed or was refused.
std::string OddsMatricesEndText(int odds_source, const common::StepFailures& failures);

// The window's caption and its only button.
inline constexpr std::string_view kOddsMatrixCaption = "2024.6.29Z";
inline constexpr std::string_view kOddsMatrixCloseCaption = "オッズセット終了";

}  // namespace radadovur::steps
