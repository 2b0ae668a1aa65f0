#pragma once
#include <span>

#include "results/results_window_state.h"

// The formation columns on a dead heat among the first three places. Judging by the finishing
// marks alone goes wrong there (a box "hits" a third place shared with a horse it does not hold, a
// 3連単 column misses both paid orders of a shared first), so such a race is judged by the
// column's tickets against the paid combinations instead.
namespace radadovur::formation {

// True when two or more horses share a place among the first three (a repeated mark "01", "02" or
// "03"). Every formation column is then judged by its tickets: a tie moves the places after it
// (01, 01, 03), so no rule on the marks alone holds for all columns.
bool DeadHeatAmongFirstThree(const results::FixedRunnerTexts& place_marks);

// True when the horses of a paid combination, given by their predicted ranks in the entry's order
// (0 for a horse the race did not rank), are one of the column's tickets with legs ending at rank
// `leg_end`. Ordered columns (馬単F, 3連単) read the first rank as the winner's.
bool IsColumnTicket(results::PcColumn column, std::span<const int> ranks, int leg_end);

}  // namespace radadovur::formation
