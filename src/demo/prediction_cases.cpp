#include <algorithm>

#include "demo/world_build.h"

namespace radadovur::demo {
namespace {

// When the newest version of a past run was created.
Date LatestVersion(const PastRun& run) { return run.corrected.y != 0 ? run.corrected : run.created; }

// The first runner of the week (in race order) on a flat race that was run normally, whose horse
// has at least two past runs.
int StaleHorse(const World& world) {
  for (size_t i = 0; i < world.week.size(); ++i) {
    const Race& race = world.week[i];
    if (race.cancelled || static_cast<int>(i) == world.scratched_race || race.spec.surface == Surface::Hurdle) continue;
    for (const Runner& r : race.runners)
      if (r.horse >= 0 && world.horses[static_cast<size_t>(r.horse)].runs.size() >= 2) return r.horse;
  }
  return -1;
}

// The oldest past race at the ten racecourses whose runs are, for every horse of the week that
// ran in it, at least six runs before this week's entry: the earlier runs the coders read never
// reach it.
PastKey MissingRace(const World& world) {
  for (const auto& [key, race] : world.past) {
    if (!race.spec.Jra()) continue;
    bool far_back = true;
    for (const Horse& h : world.horses)
      for (size_t k = 0; k < h.runs.size() && far_back; ++k)
        if (h.runs[k].key == key) far_back = h.runs.size() + 1 - k >= 7;  // run k + 1 of runs + 1
    if (far_back) return key;
  }
  return PastKey{-1, "", 0};
}

}  // namespace

void MarkPredictionCases(World& world) {
  world.stale_horse = StaleHorse(world);
  if (world.stale_horse >= 0) {
    const Horse& h = world.horses[static_cast<size_t>(world.stale_horse)];
    world.stale_created = AddDays(LatestVersion(h.runs.back()), -1);
  }
  world.missing_race = MissingRace(world);

  // The rider of the first race's first runner: the package knows a birth date five years
  // earlier than this week's master record.
  const Runner& first = world.week.front().runners.front();
  world.package_jockey = first.jockey;
  const Date birth = world.jockeys[static_cast<size_t>(first.jockey)].birth;
  world.package_jockey_birth = {birth.y - 5, birth.m, birth.d};

  // Announced changes on the first day's second and third races at the first racecourse: a rider
  // replaced on the race day, and a weight carried raised by a kilogram.
  Race& second = world.week[1];
  Runner& changed = second.runners.front();
  const bool hurdle = second.spec.surface == Surface::Hurdle;
  for (int j = 0; j < static_cast<int>(world.jockeys.size()) && changed.jockey_before < 0; ++j) {
    const Jockey& candidate = world.jockeys[static_cast<size_t>(j)];
    const bool rides = std::any_of(second.runners.begin(), second.runners.end(), [&](const Runner& r) { return r.jockey == j; });
    if (candidate.jra && !rides && (hurdle ? candidate.qualification != '2' : candidate.qualification != '3'))
      changed.jockey_before = j;
  }
  Runner& heavier = world.week[2].runners[1];
  if (heavier.carried_before == 0) heavier.carried_before = heavier.carried - 10;
}

}  // namespace radadovur::demo
