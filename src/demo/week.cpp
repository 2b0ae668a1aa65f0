#include <algorithm>
#include <cmath>

#include "demo/race_plan.h"
#include "demo/race_run.h"
#include "demo/world_build.h"

namespace radadovur::demo {
namespace {

int AgeFor(Rng& rng, const RaceSpec& spec) {
  if (spec.surface == Surface::Hurdle) return 3 + rng.Weighted({5, 20, 25, 22, 14, 9, 5});
  switch (spec.ages) {
    case Ages::Two: return 2;
    case Ages::Three: return 3;
    case Ages::ThreeUp: return 3 + rng.Weighted({30, 28, 22, 12, 6, 2});
    case Ages::FourUp: return 4 + rng.Weighted({38, 30, 18, 10, 4});
  }
  return 4;
}

int FieldSize(Rng& rng, const RaceSpec& spec) {
  if (spec.surface == Surface::Hurdle) return rng.Range(8, 14);
  return 8 + rng.Weighted({3, 4, 5, 7, 9, 10, 12, 12, 14, 12, 12});
}

// The racecourses of the two demo weeks (summer: Sapporo, Niigata, Kokura) and their
// meeting numbers; race day 1 of the week is day `first_nichiji` of the meeting.
std::vector<Course> CoursesOf(bool large) {
  const int first = large ? 7 : 5;
  return {{"01", 2, first}, {"04", 2, first}, {"10", 2, first}};
}

}  // namespace

Date World::CardCreated(int day) const {
  if (Monday()) return monday;
  const Date card = AddDays(race_days[static_cast<size_t>(day)], -2);
  return DaysOf(card) < DaysOf(friday) ? card : friday;
}

int CarriedWeight(const RaceSpec& spec, const Horse& horse, int age, const Jockey& jockey, Rng& rng) {
  const bool filly = horse.sex == '2';
  int w;
  if (spec.surface == Surface::Hurdle) {
    w = 600 + (spec.level >= kOpen ? 10 * rng.Below(4) : 0);
  } else if (spec.weight_type == '1') {
    w = 490 + 10 * rng.Below(11);
  } else {
    const bool older = age >= 4;
    if (spec.ages == Ages::Two) w = 550;
    else if (spec.ages == Ages::Three) w = 560;
    else w = older ? 580 : 550;
    if (spec.weight_type == '2') w += 10 * rng.Below(4);
  }
  if (filly && spec.weight_type != '1') w -= 20;
  // Apprentice allowances in ordinary races; women riders get theirs as well.
  if (spec.grade == ' ' && spec.level <= kWin3 && spec.surface != Surface::Hurdle) {
    w -= 10 * (jockey.apprentice - '0');
    if (jockey.sex == '2') w -= 20;
  }
  return w;
}

void MakeWeek(World& world) {
  const WeekOptions& o = world.options;
  Rng rng(KeyOf(o.seed, {100}));
  const Date saturday = o.large ? Date{2024, 8, 10} : Date{2024, 8, 3};
  world.race_days = {saturday, AddDays(saturday, 1)};
  if (o.large) world.race_days.push_back(AddDays(saturday, 2));  // a Monday holiday
  world.friday = AddDays(saturday, -1);
  world.monday = AddDays(world.race_days.back(), 1);
  world.courses = CoursesOf(o.large);
  MakePeople(world, rng);

  const int days = static_cast<int>(world.race_days.size());
  const int courses = static_cast<int>(world.courses.size());
  for (int day = 0; day < days; ++day) {
    const Date date = world.race_days[static_cast<size_t>(day)];
    // Each rider goes to one racecourse that day.
    std::vector<int> riders;
    for (int j = 0; j < static_cast<int>(world.jockeys.size()); ++j)
      if (world.jockeys[static_cast<size_t>(j)].jra) riders.push_back(j);
    rng.Shuffle(riders);
    std::vector<std::vector<int>> pools(static_cast<size_t>(courses));
    for (size_t i = 0; i < riders.size(); ++i) pools[i % static_cast<size_t>(courses)].push_back(riders[i]);

    for (int c = 0; c < courses; ++c) {
      const Course& course = world.courses[static_cast<size_t>(c)];
      for (int number = 1; number <= 12; ++number) {
        // A few hurdle races: race 4 where the course has hurdles, race 8 at one of them on Sunday.
        int hurdle = 0;
        if (HasHurdles(course.venue) && (number == 4 || (number == 8 && day == 1 && c == 1))) hurdle = 1;
        Race race;
        race.day = day;
        race.spec = PlanRace(o.seed + 7, date, course.venue, number, hurdle);
        race.spec.kaiji = course.kaiji;
        race.spec.nichiji = course.first_nichiji + day;
        race.spec.weekday = day == 2 ? '3' : WeekdayCodeOf(date);
        CompleteSpec(o.seed + 7, race.spec, c);
        // The day's first race at each racecourse has no name, blank as JV-Data delivers it.
        race.spec.wide_blank_name = number == 1 && race.spec.name.empty();
        const bool scratch_here = day == days - 1 && c == 1 && number == 5;
        // The week's last two races: one of four runners, and one whose horse number 1 is
        // scratched alone in its bracket (ten to fifteen runners), so that the bracket is refunded.
        const bool small_here = day == days - 1 && c == courses - 1 && number == 11;
        const bool refund_here = day == days - 1 && c == courses - 1 && number == 12;
        int n = FieldSize(rng, race.spec);
        if (scratch_here) n = std::max(n, 10);
        if (refund_here) n = std::clamp(n, 10, 15);
        if (small_here) n = 4;
        DrawField(race, rng, n);

        std::vector<int> pool;
        for (int j : pools[static_cast<size_t>(c)]) {
          const char q = world.jockeys[static_cast<size_t>(j)].qualification;
          if (race.spec.surface == Surface::Hurdle ? q != '2' : q != '3') pool.push_back(j);
        }
        rng.Shuffle(pool);
        // Short of qualified riders (a large hurdle field): riders from the other courses help out.
        for (int j : riders) {
          if (static_cast<int>(pool.size()) >= n) break;
          const char q = world.jockeys[static_cast<size_t>(j)].qualification;
          const bool fits = race.spec.surface == Surface::Hurdle ? q != '2' : q != '3';
          if (fits && std::find(pool.begin(), pool.end(), j) == pool.end()) pool.push_back(j);
        }
        for (int u = 1; u <= n; ++u) {
          Runner& r = race.runners[static_cast<size_t>(u - 1)];
          const int age = AgeFor(rng, race.spec);
          Horse h = MakeHorse(world, rng, race.spec, age, date);
          h.week_race = static_cast<int>(world.week.size());
          h.week_umaban = u;
          r.horse = static_cast<int>(world.horses.size());
          r.jockey = pool[static_cast<size_t>(u - 1) % pool.size()];
          r.truth = std::exp(h.ability * 2.2 + (rng.Unit() - 0.5));
          r.style = h.style;
          r.blinkers = h.blinkers;
          r.carried = CarriedWeight(race.spec, h, age, world.jockeys[static_cast<size_t>(r.jockey)], rng);
          // Announced changes of rider or weight, which the day-before step takes back.
          if (rng.Percent(3) && pool.size() > static_cast<size_t>(n)) {
            r.jockey_before = pool[(static_cast<size_t>(n) + static_cast<size_t>(u)) % pool.size()];
            if (r.jockey_before == r.jockey) r.jockey_before = -1;
          }
          if (rng.Percent(2)) r.carried_before = r.carried + 10;
          world.horses.push_back(std::move(h));
        }
        if (small_here) world.small_race = static_cast<int>(world.week.size());
        if (scratch_here) {
          world.scratched_race = static_cast<int>(world.week.size());
          world.scratched_umaban = 3;
          race.runners[2].scratched = true;
        }
        if (refund_here) {
          world.refund_race = static_cast<int>(world.week.size());
          race.runners[0].scratched = true;
        }
        PriceRace(race, rng);
        world.week.push_back(std::move(race));
      }
    }
  }
  // The first day's last race at the first racecourse is called off.
  world.cancelled_race = 11;
  world.week[11].cancelled = true;

  // Early entries: the feature race of every racecourse and day was announced with a longer
  // list, one or two of whom were not declared.
  for (int i = 0; i < static_cast<int>(world.week.size()); ++i) {
    const Race& race = world.week[static_cast<size_t>(i)];
    if (race.spec.number != 11) continue;
    world.early_entry_races.push_back(i);
    const int extra = 1 + rng.Below(2);
    for (int k = 0; k < extra; ++k) {
      Horse h = MakeHorse(world, rng, race.spec, AgeFor(rng, race.spec), race.spec.date);
      h.early_race = i;
      world.horses.push_back(std::move(h));
    }
  }
}

void RunWeek(World& world) {
  const uint64_t seed = world.options.seed;
  Rng rng(world.options.week <= 1 ? KeyOf(seed, {300}) : KeyOf(seed, {300, static_cast<uint64_t>(world.options.week)}));
  for (size_t i = 0; i < world.week.size(); ++i) {
    Race& race = world.week[i];
    // One weather and going per racecourse and day.
    if (race.spec.number == 1) {
      DrawGoing(race, rng);
    } else {
      const Race& first = world.week[i - static_cast<size_t>(race.spec.number - 1)];
      race.weather = first.weather;
      race.turf_going = first.turf_going;
      race.dirt_going = first.dirt_going;
    }
    if (race.cancelled) continue;
    RunRace(race, rng, false);
  }
  // The cases the hit checks meet, on fixed races of fields of eight or more: a dead heat for
  // first (Saturday, the third racecourse, race 10), one for third (Sunday, the first racecourse,
  // race 9) and a race whose 3連単 has no result (Sunday, the third racecourse, race 6).
  const int courses = static_cast<int>(world.courses.size());
  auto index = [&](int day, int course, int number) { return (day * courses + course) * 12 + number - 1; };
  world.dead_heat_first = index(0, 2, 10);
  world.dead_heat_third = index(1, 0, 9);
  world.void_trifecta_race = index(1, 2, 6);
  MakeDeadHeat(world.week[static_cast<size_t>(world.dead_heat_first)], 1);
  MakeDeadHeat(world.week[static_cast<size_t>(world.dead_heat_third)], 3);
  world.week[static_cast<size_t>(world.void_trifecta_race)].trifecta_void = true;
}

}  // namespace radadovur::demo
