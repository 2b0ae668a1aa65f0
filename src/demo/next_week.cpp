#include <cmath>

#include "demo/race_run.h"
#include "demo/world_build.h"

namespace radadovur::demo {

World NextWeek(const World& previous, const WeekOptions& options) {
  World world = previous;
  world.options = options;
  const int days = static_cast<int>(previous.race_days.size());
  for (Date& d : world.race_days) d = AddDays(d, 7);
  world.friday = AddDays(previous.friday, 7);
  world.monday = AddDays(previous.monday, 7);
  const uint64_t week = static_cast<uint64_t>(options.week);

  // Last week's races that were run become past races, each horse's run its newest past run,
  // published on last week's Monday as that week's results were.
  for (const Race& race : previous.week) {
    if (!race.run || race.cancelled) continue;
    Race past = race;
    past.day = -1;
    const PastKey key{DaysOf(race.spec.date), race.spec.venue, race.spec.number};
    for (const Runner& r : race.runners) {
      if (r.horse < 0 || r.scratched) continue;
      PastRun run;
      run.key = key;
      run.umaban = r.umaban;
      run.created = world.ResultPublished(race.spec);
      world.horses[static_cast<size_t>(r.horse)].runs.push_back(run);
    }
    world.past[key] = std::move(past);
  }

  // The same programme a week on: the meeting's day numbers go on, the fields run again.
  Rng rng(KeyOf(options.seed, {500, week}));
  for (Race& race : world.week) {
    race.spec.date = AddDays(race.spec.date, 7);
    race.spec.nichiji += days;
    race.run = false;
    race.weather = race.turf_going = race.dirt_going = '0';
    for (Runner& r : race.runners) {
      if (r.horse < 0) continue;
      const bool ran = !r.scratched && !race.cancelled;
      r.first_run = r.first_run && !ran;
      r.body_change = r.first_run ? 0 : 2 * rng.Range(-4, 4);
      r.body_weight += r.body_change;
      r.truth *= std::exp((rng.Unit() - 0.5) * 0.6);
    }
    PriceRace(race, rng);
  }
  RunWeek(world);
  return world;
}

}  // namespace radadovur::demo
