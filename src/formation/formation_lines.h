#pragma once
#include <string>

#include "common/status.h"
#include "results/results_window_state.h"

// The fifteen ticket lines of the rank-based strategy in the formation document, TF1, TF2, UF1,
// UF2, UBX, S11, S12, S1A, S21, S22, S2A, S31, S32, S3A, SBX: the tag, then the horse of every
// rank the line names, in rank order, each as a quoted two-character number. A line names only
// ranks the race has (a small field, or a blank registered count, lists fewer); a line that
// cannot be formed (a rank's horse that is no number, an SD value that is no number where it
// decides) is left out and reported.
namespace radadovur::formation {

std::string FormationLines(const results::ResultsWindowState& state, common::StepFailures& failures);

}  // namespace radadovur::formation
