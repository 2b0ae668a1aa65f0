#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "demo/race_plan.h"
#include "demo/race_run.h"
#include "demo/world_build.h"

namespace radadovur::demo {
namespace {

constexpr std::array<const char*, 10> kLocalVenues = {"30", "35", "36", "42", "43", "44", "45", "46", "47", "48"};
constexpr std::array<const char*, 5> kAbroadVenues = {"A4", "A6", "A8", "B6", "C7"};

uint64_t VenueKey(const std::string& venue) {
  return (static_cast<uint64_t>(static_cast<unsigned char>(venue[0])) << 8) | static_cast<unsigned char>(venue[1]);
}

int IndexIn(const std::vector<std::string>& list, const std::string& item) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == item) return static_cast<int>(i);
  return 0;
}

// The past race of `key`, created (field, betting and result) the first time a horse of the
// week ran in it; everything about it comes from its own random stream.
Race& PastRace(World& world, const PastKey& key, const RaceSpec& plan) {
  auto it = world.past.find(key);
  if (it != world.past.end()) return it->second;
  const uint64_t seed = world.options.seed;
  Race race;
  race.spec = plan;
  CompleteSpec(seed, race.spec, plan.Jra() ? IndexIn(VenuesOn(plan.date), plan.venue) : 0);
  Rng rng(KeyOf(seed, {static_cast<uint64_t>(std::get<0>(key)), VenueKey(std::get<1>(key)),
                       static_cast<uint64_t>(std::get<2>(key)), 4}));
  const int n = plan.surface == Surface::Hurdle ? rng.Range(8, 14) : 8 + rng.Weighted({2, 3, 4, 6, 8, 10, 12, 12, 13, 12, 12});
  DrawField(race, rng, n);
  const int birth_year = plan.date.y - (plan.ages == Ages::Two ? 2 : plan.ages == Ages::Three ? 3 : 4);
  for (auto& r : race.runners) {
    r.other_name = HorseName(rng);
    r.other_ketto = std::to_string(birth_year) + "2" + std::to_string(10000 + rng.Below(90000));
    r.jockey = rng.Below(112);
  }
  PriceRace(race, rng);
  DrawGoing(race, rng);
  RunRace(race, rng, true);
  return world.past.emplace(key, std::move(race)).first->second;
}

// A horse runs at most once a day: the shifted dates of two runs may meet.
bool RanOn(const Horse& horse, const Date& date) {
  const int day = DaysOf(date);
  return std::any_of(horse.runs.begin(), horse.runs.end(), [day](const PastRun& run) { return std::get<0>(run.key) == day; });
}

struct Choice {
  RaceSpec plan;
  double score = -1e9;
  bool found = false;
};

// The best race of `date` for the horse: the right kind (flat or hurdles), ages, sex and class,
// preferring its surface and trip and a place still free.
void ConsiderDate(World& world, const Date& date, const Horse& horse, int age, int level, bool jump,
                  bool strict, Rng& rng, Choice& best) {
  if (RanOn(horse, date)) return;
  for (const std::string& venue : VenuesOn(date)) {
    for (int number = 1; number <= 12; ++number) {
      RaceSpec plan = PlanRace(world.options.seed, date, venue, number);
      if ((plan.surface == Surface::Hurdle) != jump) continue;
      if (plan.fillies && horse.sex != '2') continue;
      if (!AgesFit(plan, age)) continue;
      const int off = std::abs(std::min(plan.level, kOpen + 2) - std::min(level, kOpen + 2));
      if (strict && (level >= kOpen ? plan.level < kOpen : plan.level != level)) continue;
      double score = -3.0 * off - std::abs(plan.distance - horse.best_distance) / 400.0 + rng.Unit();
      if (!jump && (plan.surface == Surface::Dirt) == horse.prefers_dirt) score += 2.5;
      auto it = world.past.find(PastKey{DaysOf(date), venue, number});
      if (it != world.past.end()) {
        bool free = false;
        for (const auto& r : it->second.runners) free = free || (r.horse < 0 && !r.scratched);
        if (!free) continue;
      }
      if (score > best.score) {
        best.score = score;
        best.plan = plan;
        best.found = true;
      }
    }
  }
}

int ChooseUmaban(const Race& race, const Horse& horse, bool want_win, Rng& rng) {
  const int n = static_cast<int>(race.runners.size());
  if (want_win && !race.order.empty() && race.runners[static_cast<size_t>(race.order[0] - 1)].horse < 0) return race.order[0];
  const double q = std::clamp(rng.Unit() * 0.7 + 0.9 * (0.5 - horse.ability) + 0.15, 0.0, 1.0);
  const int target = 2 + static_cast<int>(std::lround(q * (n - 2)));
  int best = 0, best_off = 1 << 20;
  for (const auto& r : race.runners) {
    if (r.horse >= 0 || r.scratched || r.finish == 1) continue;
    const int f = r.finish > 0 ? r.finish : n + 1;
    if (std::abs(f - target) < best_off) {
      best_off = std::abs(f - target);
      best = r.umaban;
    }
  }
  if (best == 0 && !race.order.empty() && race.runners[static_cast<size_t>(race.order[0] - 1)].horse < 0) best = race.order[0];
  return best;
}

int RiderFor(const World& world, const Horse& horse, const RaceSpec& spec, Rng& rng) {
  if (spec.outside == 'A') {
    std::vector<int> local;
    for (size_t j = 0; j < world.jockeys.size(); ++j)
      if (!world.jockeys[j].jra) local.push_back(static_cast<int>(j));
    return rng.Pick(local);
  }
  auto fits = [&](int j) {
    const char q = world.jockeys[static_cast<size_t>(j)].qualification;
    return spec.surface == Surface::Hurdle ? q != '2' : q != '3';
  };
  if (rng.Percent(70) && fits(horse.main_jockey)) return horse.main_jockey;
  for (;;) {
    const int j = rng.Below(126);
    if (fits(j)) return j;
  }
}

void BuildHistory(World& world, int index, Rng& rng) {
  Horse& horse = world.horses[static_cast<size_t>(index)];
  const Race& week = world.week[static_cast<size_t>(horse.week_race)];
  const RaceSpec ws = week.spec;
  const bool jump = ws.surface == Surface::Hurdle;
  const int age_now = ws.date.y - horse.birth.y;

  int flat_wins = 0, jump_wins = 0, runs = 0;
  if (jump) {
    flat_wins = rng.Weighted({50, 35, 15});
    jump_wins = ws.level >= kOpen ? 1 + rng.Below(3) : 0;
  } else {
    switch (ws.level) {
      case kDebut: flat_wins = 0; break;
      case kMaiden: flat_wins = 0; break;
      case kWin1: flat_wins = age_now >= 4 && rng.Percent(15) ? 0 : 1; break;
      case kWin2: flat_wins = 2; break;
      case kWin3: flat_wins = 3; break;
      default: flat_wins = 4 + rng.Below(4);
    }
  }
  if (ws.level != kDebut || jump) {
    if (age_now <= 2) runs = rng.Range(1, 3);
    else if (age_now == 3) runs = rng.Range(2, 12);
    else runs = (age_now - 2) * rng.Range(3, 7) + rng.Range(0, 3);
    if (jump) runs += rng.Range(2, 6);
    runs = std::clamp(runs, flat_wins + jump_wins + 1, 30);
  }

  // Dates, newest first: the last run a few weeks ago, the others two weeks to a season apart.
  const int earliest = DaysOf({horse.birth.y + 2, 6, 1});
  const int newest_allowed = DaysOf(ws.date) - 14;
  std::vector<Date> dates;
  int day = DaysOf(ws.date) - 7 * rng.Range(2, 12);
  for (int k = 0; k < runs && day >= earliest; ++k) {
    Date d = DateOf(day);
    const int wd = Weekday(d);
    if (wd == 1) d = AddDays(d, -1 - rng.Below(2));          // a Monday race day: back to the weekend
    else if (wd == 6 && rng.Percent(50)) d = AddDays(d, 1);  // Saturday or Sunday
    else if (wd == 0 && rng.Percent(50)) d = AddDays(d, -1);
    if (DaysOf(d) <= newest_allowed) dates.push_back(d);
    static const std::array<int, 10> kGaps = {2, 3, 4, 5, 6, 8, 10, 16, 26, 40};
    day -= 7 * kGaps[static_cast<size_t>(rng.Weighted({20, 20, 18, 12, 8, 8, 5, 5, 3, 1}))];
  }
  std::reverse(dates.begin(), dates.end());
  runs = static_cast<int>(dates.size());

  const int local_runs = !jump && runs >= 4 && rng.Percent(6) ? rng.Range(1, 3) : 0;
  const int abroad_run = ws.level >= kG3 && runs >= 5 && rng.Percent(40) ? runs - 1 - rng.Below(3) : -1;
  const int first_jump = jump ? runs * rng.Range(45, 70) / 100 : runs;
  int flat_runs_left = 0, jump_runs_left = 0;
  for (int k = local_runs; k < runs; ++k) (k >= first_jump ? jump_runs_left : flat_runs_left) += k == abroad_run ? 0 : 1;

  int fw = 0, jw = 0, weight = horse.base_weight - 16 + 2 * rng.Below(6);
  bool first_flat = true;
  for (int k = 0; k < runs; ++k) {
    const Date date = dates[static_cast<size_t>(k)];
    const int age = date.y - horse.birth.y;
    const bool jump_run = k >= first_jump;
    RaceSpec plan;
    bool want_win = false;
    if (k < local_runs || k == abroad_run) {
      const bool abroad = k == abroad_run;
      const std::string venue = abroad ? kAbroadVenues[static_cast<size_t>(rng.Below(5))]
                                       : kLocalVenues[static_cast<size_t>(rng.Below(10))];
      plan = PlanOutsideRace(world.options.seed, date, venue, rng.Range(1, abroad ? 10 : 12));
      want_win = !abroad && rng.Percent(40);
    } else {
      int& wins = jump_run ? jw : fw;
      int& left = jump_run ? jump_runs_left : flat_runs_left;
      const int target = jump_run ? jump_wins : flat_wins;
      want_win = target > wins && rng.Unit() * left < target - wins;
      --left;
      const int level = jump_run ? (jw == 0 ? kMaiden : kOpen) : LevelFor(fw, age, date.m, first_flat);
      Choice best;
      const std::array<int, 5> shifts = {0, Weekday(date) == 6 ? 1 : -1, -7, 7, -14};
      for (int shift : shifts) {
        const Date d = AddDays(date, shift);
        if (DaysOf(d) > newest_allowed) continue;
        ConsiderDate(world, d, horse, d.y - horse.birth.y, level, jump_run, true, rng, best);
        if (best.found) break;
      }
      if (!best.found) ConsiderDate(world, date, horse, age, level, jump_run, false, rng, best);
      if (!best.found) continue;  // no race for it that weekend: the horse rested
      plan = best.plan;
    }
    if (RanOn(horse, plan.date)) continue;
    const PastKey key{DaysOf(plan.date), plan.venue, plan.number};
    Race& race = PastRace(world, key, plan);
    const int umaban = ChooseUmaban(race, horse, want_win, rng);
    if (umaban == 0) continue;
    Runner& r = race.runners[static_cast<size_t>(umaban - 1)];
    r.horse = index;
    r.jockey = RiderFor(world, horse, race.spec, rng);
    r.carried = CarriedWeight(race.spec, horse, plan.date.y - horse.birth.y, world.jockeys[static_cast<size_t>(r.jockey)], rng);
    r.blinkers = horse.blinkers && rng.Percent(80);
    r.first_run = horse.runs.empty();
    r.body_change = r.first_run ? 0 : 2 * rng.Range(-4, 4);
    weight += r.body_change;
    r.body_weight = weight;
    r.style = horse.style;
    if (r.finish == 1 && race.spec.Jra()) ++(jump_run ? jw : fw);
    if (race.spec.Jra() && !jump_run) first_flat = false;

    PastRun run;
    run.key = key;
    run.umaban = umaban;
    run.created = world.ResultPublished(race.spec);
    if (DaysOf(run.created) < DaysOf(world.friday) - 50 && rng.Percent(4)) run.corrected = AddDays(run.created, rng.Range(7, 30));
    horse.runs.push_back(run);
  }

  // This week's entry: body weight from the last run.
  Runner& entry = world.week[static_cast<size_t>(horse.week_race)].runners[static_cast<size_t>(horse.week_umaban - 1)];
  entry.first_run = horse.runs.empty();
  entry.body_change = entry.first_run ? 0 : 2 * rng.Range(-5, 5);
  entry.body_weight = weight + entry.body_change;
}

}  // namespace

void MakeHistories(World& world) {
  for (int h = 0; h < static_cast<int>(world.horses.size()); ++h) {
    if (world.horses[static_cast<size_t>(h)].week_race < 0) continue;
    Rng rng(KeyOf(world.options.seed, {200, static_cast<uint64_t>(h)}));
    BuildHistory(world, h, rng);
  }
}

Date World::ResultPublished(const RaceSpec& spec) const {
  const int days = DaysOf(spec.date) + (spec.outside ? 3 : Weekday(spec.date) == 6 ? 2 : 1);
  return DateOf(std::min(days, DaysOf(friday) - 2));
}

World GenerateWorld(const WeekOptions& options) {
  if (options.week > 1) {
    WeekOptions before = options;
    before.week = options.week - 1;
    before.state = WeekState::Monday;
    return NextWeek(GenerateWorld(before), options);
  }
  World world;
  world.options = options;
  MakeWeek(world);
  MakeHistories(world);
  RunWeek(world);
  MarkPredictionCases(world);
  return world;
}

}  // namespace radadovur::demo
