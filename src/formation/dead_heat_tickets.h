#pragma once
#include <span>

#include "results/results_window_state.h"

// The formation columns on a dead heat among the places they need. Judging by the finishing
// marks alone goes wrong there (a box "hits" a third place shared with a horse it does not hold),
// so such a race is judged by the column's tickets against the paid combinations instead.
namespace radadovur::formation {

// True when the race has a dead heat among the places `column` needs: more than two horses placed
// "01"-"02" for the 馬連 and 馬単 columns, more than three placed "01"-"03" for 3連複 and 3連単.
bool DeadHeatForColumn(results::PcColumn column, const results::FixedRunnerTexts& place_marks);

// True when the horses of a paid combination, given by their predicted ranks in the entry's order
// (0 for a horse the race did not rank), are one of the column's tickets with legs ending at rank
// `leg_end`. Ordered columns (馬単F, 3連単) read the first rank as the winner's.
bool IsColumnTicket(results::PcColumn column, std::span<const int> ranks, int leg_end);

}  // namespace radadovur::formation
