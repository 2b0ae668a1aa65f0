#pragma once
#include "demo/demo_world.h"
#include "demo/prng.h"

// The steps that build the demo world, in the order GenerateWorld runs them.
namespace radadovur::demo {

// Trainers, jockeys (JRA, then local), sires and the grandsires behind them.
void MakePeople(World& world, Rng& rng);
// A new dam (sometimes an existing one, for siblings) and her index.
int PickDam(World& world, Rng& rng);
// A new horse of `age` years at `race_date` for a race of `spec`'s sort.
Horse MakeHorse(World& world, Rng& rng, const RaceSpec& spec, int age, const Date& race_date);

// This week's race days, racecourses, races and runners.
void MakeWeek(World& world);
// Weight carried by a horse in a race.
int CarriedWeight(const RaceSpec& spec, const Horse& horse, int age, const Jockey& jockey, Rng& rng);

// Past runs of every horse of the week.
void MakeHistories(World& world);
// Picks the stale entry, the undelivered race record and the package's differing rider, and
// makes sure some of this week's runners have an announced change of rider and of weight.
void MarkPredictionCases(World& world);
// Runs this week's races (their results are written only in the Monday state).
void RunWeek(World& world);

// The week after `previous` (a Monday world, its results known) as `options` asks: the same
// racecourses and programme seven days on, the meeting's day numbers continued, the same horses
// with last week's races among their past runs, and the races run again.
World NextWeek(const World& previous, const WeekOptions& options);

}  // namespace radadovur::demo
