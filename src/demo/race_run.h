#pragma once
#include "demo/demo_world.h"
#include "demo/prng.h"

// Running a race: the field's horse and bracket numbers, the betting's win odds, and the
// result (placings, times, last furlongs, margins, corner positions, laps, going).
namespace radadovur::demo {

// Bracket of horse number `umaban` in a field of `n` (the outer brackets take the extra horses).
int WakubanOf(int umaban, int n);

// Gives the race `n` runners with horse and bracket numbers; truth and style drawn at random
// (callers may overwrite them for the horses they place).
void DrawField(Race& race, Rng& rng, int n);

// Win probabilities as the betting sees them, win odds (tenths) and popularity.
void PriceRace(Race& race, Rng& rng);

// Weather and going of the day at the race's course.
void DrawGoing(Race& race, Rng& rng);

// Runs the race: placings drawn by the runners' truth, then every time and position.
// `may_fail`: one runner may fail to finish.
void RunRace(Race& race, Rng& rng, bool may_fail);

// Turns placings `place` and `place + 1` of a run race into a dead heat for `place`: the second
// horse takes the first one's time, the horses behind keep their margins, and the next placing
// is skipped (two winners, then third). False when the race has too few finishers.
bool MakeDeadHeat(Race& race, int place);

}  // namespace radadovur::demo
