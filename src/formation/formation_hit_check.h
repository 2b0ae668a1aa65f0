#pragma once
#include <string_view>

#include "common/status.h"
#include "results/results_window_state.h"

// The hit check of the rank-based strategy for a race whose results are final and whose payout
// record is at hand (the caller has checked both): win and place on the horses of ranks 1 and 2
// against their payout entries, and the seven formation and box columns judged by the finishing
// marks (PlaceMark) of the ranked horses, their hit shown by the first payout entry of the bet.
// On a dead heat among the first three places, every column is judged by its tickets against the
// paid combinations instead: the first paid ticket shows the hit, the race adds all their payouts.
//
// Sets HitText and PayText of every column afresh and PcPoints of the formation columns, and adds
// the race's hits, payouts and tickets to the day's PcTally and PcPoints totals. A column that
// cannot be judged (an SD value that is no number where it decides, a ranked horse that is no
// number, a hit whose payout is no number) is reported and counts nothing: no points, no hit.
namespace radadovur::formation {

void CheckFormationHits(results::ResultsWindowState& state, common::StepFailures& failures);

// The number of tickets of a formation column whose legs end at rank `leg_end`, in a race of
// `ranked` ranked runners (legs name only ranks that exist).
int FormationPoints(results::PcColumn column, int leg_end, int ranked);

}  // namespace radadovur::formation
