#include "demo/race_plan.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "common/cp932.h"

namespace radadovur::demo {
namespace {

struct VenueInfo {
  const char* code;
  bool right_handed;
  std::vector<int> turf, dirt, hurdle;
};

const std::vector<VenueInfo>& Venues() {
  static const std::vector<VenueInfo> venues = {
      {"01", true, {1200, 1500, 1800, 2000, 2600}, {1000, 1700, 2400}, {}},
      {"02", true, {1200, 1800, 2000, 2600}, {1000, 1700, 2400}, {}},
      {"03", true, {1200, 1800, 2000, 2600}, {1150, 1700, 2400}, {2750, 2770, 3380}},
      {"04", false, {1000, 1200, 1400, 1600, 1800, 2000, 2200, 2400}, {1200, 1800, 2500}, {2850, 2890, 3290}},
      {"05", false, {1400, 1600, 1800, 2000, 2300, 2400, 3400}, {1300, 1400, 1600, 2100}, {3000, 3110}},
      {"06", true, {1200, 1600, 1800, 2000, 2200, 2500, 3600}, {1200, 1800, 2400, 2500}, {2880, 3200, 3350, 4100}},
      {"07", false, {1200, 1400, 1600, 2000, 2200, 3000}, {1200, 1400, 1800, 1900}, {3000, 3300, 3900}},
      {"08", true, {1200, 1400, 1600, 1800, 2000, 2200, 2400, 3000}, {1200, 1400, 1800, 1900}, {2910, 3170, 3930}},
      {"09", true, {1200, 1400, 1600, 1800, 2000, 2200, 2400, 3000}, {1200, 1400, 1800, 2000}, {2970, 3000, 3140, 3900}},
      {"10", true, {1200, 1700, 1800, 2000, 2600}, {1000, 1700, 2400}, {2860, 3390}},
  };
  return venues;
}

const VenueInfo& InfoOf(const std::string& venue) {
  for (const auto& v : Venues())
    if (venue == v.code) return v;
  return Venues()[5];
}

std::string Two(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

uint64_t VenueNumber(const std::string& venue) {
  return (static_cast<uint64_t>(static_cast<unsigned char>(venue[0])) << 8) | static_cast<unsigned char>(venue[1]);
}

int PickDistance(Rng& rng, const std::vector<int>& list, int max_distance) {
  std::vector<int> fit;
  for (int d : list)
    if (d <= max_distance) fit.push_back(d);
  if (fit.empty()) fit.push_back(list.front());
  // Sprint and mile trips are the most common.
  const int i = std::min(rng.Below(static_cast<int>(fit.size())), rng.Below(static_cast<int>(fit.size())));
  return fit[static_cast<size_t>(i)];
}

// Flat race `number` of a day in `month`: class and ages.
void PlanFlat(Rng& rng, int month, int number, RaceSpec& s) {
  const bool summer_on = month >= 6;            // 2-year-olds race from June
  const Ages older = month >= 6 ? Ages::ThreeUp : Ages::FourUp;
  auto set = [&](int level, Ages ages) {
    s.level = level;
    s.ages = ages;
  };
  switch (number) {
    case 1: set(kMaiden, summer_on && month > 9 ? Ages::Two : Ages::Three); break;
    case 2: set(kMaiden, month >= 7 ? Ages::Two : Ages::Three); break;
    case 3: set(kMaiden, month <= 9 ? Ages::Three : Ages::Two); break;
    case 4: set(summer_on ? kDebut : kMaiden, summer_on ? Ages::Two : Ages::Three); break;
    case 5: set(summer_on ? kDebut : (month <= 3 ? kDebut : kMaiden), summer_on ? Ages::Two : Ages::Three); break;
    case 6: set(summer_on ? kMaiden : kWin1, summer_on ? Ages::Two : Ages::Three); break;
    case 7: set(kWin1, older); break;
    case 8: set(kWin1, older); break;
    case 9:
      if (month >= 9 && rng.Percent(40))
        set(kWin1, Ages::Two);
      else
        set(kWin2, older);
      break;
    case 10: set(rng.Percent(60) ? kWin2 : kWin3, older); break;
    case 11: {
      const int r = rng.Below(100);
      set(r < 35 ? kOpen : r < 60 ? kListed : r < 88 ? kG3 : r < 97 ? kG2 : kG1, older);
      if (month <= 5 && rng.Percent(30)) s.ages = Ages::Three;
      if (month >= 9 && rng.Percent(15)) s.ages = Ages::Two;
      break;
    }
    default: set(rng.Percent(60) ? kWin1 : kWin2, older); break;
  }
  s.fillies = s.level <= kWin2 && rng.Percent(18);
}

}  // namespace

std::string RaceSpec::RaceId() const {
  return YearText(date) + MonthDay(date) + venue + Two(kaiji) + Two(nichiji) + Two(number);
}

int Race::Starters() const {
  int n = 0;
  for (const auto& r : runners) n += r.scratched ? 0 : 1;
  return n;
}

int Race::Finishers() const { return static_cast<int>(order.size()); }

std::vector<std::string> VenuesOn(const Date& date) {
  static const std::array<std::array<const char*, 3>, 12> kByMonth = {{
      {"06", "08", "07"}, {"05", "08", "10"}, {"06", "09", "07"}, {"06", "09", "03"},
      {"05", "08", "04"}, {"05", "09", "02"}, {"03", "07", "02"}, {"01", "04", "10"},
      {"06", "09", "07"}, {"05", "08", "04"}, {"05", "08", "03"}, {"06", "09", "07"},
  }};
  const auto& row = kByMonth[static_cast<size_t>(date.m - 1)];
  return {row[0], row[1], row[2]};
}

int KaijiOf(const Date& date) { return (date.m - 1) / 3 % 5 + 1; }

int NichijiOf(const Date& date) {
  const int week = (DaysOf(date) / 7) % 4;
  return week * 2 + (Weekday(date) == 0 ? 2 : 1);
}

char WeekdayCodeOf(const Date& date) {
  switch (Weekday(date)) {
    case 6: return '1';
    case 0: return '2';
    case 1: return '4';
    case 2: return '5';
    case 3: return '6';
    case 4: return '7';
    default: return '8';
  }
}

bool HasHurdles(const std::string& venue) { return !InfoOf(venue).hurdle.empty(); }

RaceSpec PlanRace(uint64_t seed, const Date& date, const std::string& venue, int number, int hurdle) {
  Rng rng(KeyOf(seed, {static_cast<uint64_t>(DaysOf(date)), VenueNumber(venue), static_cast<uint64_t>(number), 1}));
  RaceSpec s;
  s.date = date;
  s.venue = venue;
  s.number = number;
  s.kaiji = KaijiOf(date);
  s.nichiji = NichijiOf(date);
  s.weekday = WeekdayCodeOf(date);
  const VenueInfo& info = InfoOf(venue);
  bool jump = hurdle == 1;
  if (hurdle < 0) jump = !info.hurdle.empty() && ((number == 4 && rng.Percent(45)) || (number == 8 && rng.Percent(12)));
  if (jump) {
    s.surface = Surface::Hurdle;
    s.level = number == 4 ? kMaiden : (rng.Percent(85) ? kOpen : kG3);
    s.ages = date.m >= 6 ? Ages::ThreeUp : Ages::FourUp;
    s.distance = info.hurdle[static_cast<size_t>(rng.Below(static_cast<int>(info.hurdle.size())))];
    s.track = s.distance >= 4000 ? "51" : venue == "05" ? "52" : "54";
    s.course = "  ";
    return s;
  }
  PlanFlat(rng, date.m, number, s);
  const bool dirt = number <= 3 ? rng.Percent(60) : number == 11 ? rng.Percent(20) : rng.Percent(45);
  const int max_distance = s.ages == Ages::Two ? 2000 : 4000;
  if (dirt) {
    s.surface = Surface::Dirt;
    s.distance = PickDistance(rng, info.dirt, max_distance);
    s.track = info.right_handed ? "24" : "23";
    s.course = "  ";
  } else {
    s.surface = Surface::Turf;
    s.distance = PickDistance(rng, info.turf, max_distance);
    if (venue == "04" && s.distance == 1000) {
      s.track = "10";
    } else {
      const bool outer = s.distance >= 1600 && rng.Percent(30);
      s.track = info.right_handed ? (outer ? "18" : "17") : (outer ? "12" : "11");
    }
    static const std::array<const char*, 3> kCourses = {"A ", "B ", "C "};
    s.course = kCourses[static_cast<size_t>((DaysOf(date) / 14) % 3)];
  }
  return s;
}

RaceSpec PlanOutsideRace(uint64_t seed, const Date& date, const std::string& venue, int number) {
  Rng rng(KeyOf(seed, {static_cast<uint64_t>(DaysOf(date)), VenueNumber(venue), static_cast<uint64_t>(number), 2}));
  RaceSpec s;
  s.date = date;
  s.venue = venue;
  s.number = number;
  s.outside = venue[0] >= 'A' ? 'B' : 'A';
  s.kaiji = rng.Range(1, 20);
  s.nichiji = rng.Range(1, 6);
  s.weekday = WeekdayCodeOf(date);
  if (s.outside == 'B') {
    s.surface = Surface::Turf;
    s.distance = std::array<int, 5>{1200, 1600, 2000, 2400, 3200}[static_cast<size_t>(rng.Below(5))];
    s.track = rng.Percent(50) ? "11" : "17";
    s.course = "  ";
    s.level = rng.Percent(60) ? kG1 : kG2;
    s.ages = Ages::ThreeUp;
  } else {
    s.surface = Surface::Dirt;
    s.distance = std::array<int, 6>{1000, 1200, 1400, 1600, 1800, 2000}[static_cast<size_t>(rng.Below(6))];
    s.track = rng.Percent(50) ? "23" : "24";
    s.course = "  ";
    s.level = rng.Percent(30) ? kG3 : kWin1;
    s.ages = date.m >= 6 ? Ages::ThreeUp : Ages::FourUp;
  }
  return s;
}

void CompleteSpec(uint64_t seed, RaceSpec& s, int course_index) {
  Rng rng(KeyOf(seed, {static_cast<uint64_t>(DaysOf(s.date)), VenueNumber(s.venue), static_cast<uint64_t>(s.number), 3}));
  const bool jump = s.surface == Surface::Hurdle;
  // Race type: 11 2-year-olds, 12 3-year-olds, 13 3 and up, 14 4 and up; 18/19 over hurdles.
  switch (s.ages) {
    case Ages::Two: s.type_code = "11"; break;
    case Ages::Three: s.type_code = "12"; break;
    case Ages::ThreeUp: s.type_code = jump ? "18" : "13"; break;
    case Ages::FourUp: s.type_code = jump ? "19" : "14"; break;
  }
  // Condition codes: 701 debut, 703 maiden, 005/010/016 the winner classes, 999 open.
  static const std::array<const char*, 10> kCondition = {"701", "703", "005", "010", "016", "999", "999", "999", "999", "999"};
  const std::string c = kCondition[static_cast<size_t>(s.level)];
  s.conditions = {"000", "000", "000", "000", c};
  switch (s.ages) {
    case Ages::Two: s.conditions[0] = c; break;
    case Ages::Three: s.conditions[1] = c; break;
    case Ages::ThreeUp: s.conditions[1] = s.conditions[2] = s.conditions[3] = c; break;
    case Ages::FourUp: s.conditions[2] = s.conditions[3] = c; break;
  }
  static const std::array<const char*, 4> kAgesText = {"２歳", "３歳", "３歳以上", "４歳以上"};
  static const std::array<const char*, 10> kClassText = {"新馬", "未勝利", "１勝クラス", "２勝クラス", "３勝クラス",
                                                         "オープン", "オープン", "オープン", "オープン", "オープン"};
  s.condition_name = std::string(jump ? "障害" : "") + kAgesText[static_cast<size_t>(s.ages)] +
                     kClassText[static_cast<size_t>(s.level)];
  if (s.level <= kMaiden || s.ages == Ages::Two)
    s.weight_type = '3';
  else if (s.level <= kWin3)
    s.weight_type = rng.Percent(15) && s.number >= 9 ? '1' : '4';
  else
    s.weight_type = std::array<char, 3>{'2', '2', '1'}[static_cast<size_t>(rng.Below(3))];
  if (jump) s.weight_type = s.level >= kOpen ? '2' : '4';
  if (s.fillies)
    s.symbol_code = s.level <= kMaiden ? "020" : "A20";
  else if (s.level >= kG3)
    s.symbol_code = rng.Percent(50) ? "N00" : "A01";
  else if (jump)
    s.symbol_code = "000";
  else
    s.symbol_code = std::array<const char*, 3>{"A01", "001", "A00"}[static_cast<size_t>(rng.Below(3))];

  switch (s.level) {
    case kListed: s.grade = 'L'; break;
    case kG3: s.grade = jump ? 'H' : 'C'; break;
    case kG2: s.grade = jump ? 'G' : 'B'; break;
    case kG1: s.grade = jump ? 'F' : 'A'; break;
    default: s.grade = s.level >= kWin2 && s.number >= 9 ? 'E' : ' ';
  }
  if (s.level >= kG3) s.graded_count = rng.Range(5, 74);

  // Special races carry a name.
  if (s.grade != ' ' || (jump && s.level >= kOpen)) {
    const RaceWord& w = PickRaceWord(rng);
    std::string suffix, latin;
    if (jump) {
      suffix = "ジャンプステークス";
      latin = " Jump Stakes";
    } else if (s.level <= kWin3) {
      suffix = "特別";
      latin = " Tokubetsu";
    } else if (s.level <= kListed) {
      suffix = "ステークス";
      latin = " Stakes";
    } else {
      const int k = rng.Below(3);
      suffix = k == 0 ? "記念" : k == 1 ? "カップ" : "賞";
      latin = k == 0 ? " Kinen" : k == 1 ? " Cup" : " Sho";
    }
    s.name = std::string(w.kanji) + suffix;
    s.name_eng = std::string(w.latin) + latin;
    s.short10 = common::Utf8Left(s.name, 10);
    s.short6 = common::Utf8Left(s.name, 6);
    s.short3 = common::Utf8Left(std::string(w.kanji), 3);
  }

  // First prize in hundreds of yen; places 2 to 5 take their usual shares.
  static const std::array<int64_t, 10> kFlatPrize = {72000, 56000, 77000, 114000, 182000, 240000, 270000, 430000, 600000, 1500000};
  static const std::array<int64_t, 10> kJumpPrize = {108000, 108000, 108000, 140000, 170000, 170000, 200000, 370000, 600000, 1000000};
  int64_t first = jump ? kJumpPrize[static_cast<size_t>(s.level)] : kFlatPrize[static_cast<size_t>(s.level)];
  if (!s.Jra()) first = s.outside == 'B' ? 3000000 : 50000;
  static const std::array<int, 5> kShare = {100, 40, 25, 15, 10};
  for (size_t i = 0; i < 5; ++i) s.prize[i] = first * kShare[i] / 100;
  if (s.grade != ' ' && s.Jra()) s.added = {first / 20, first / 50, first / 100};

  static const std::array<int, 12> kPost = {950, 1020, 1050, 1120, 1210, 1240, 1310, 1340, 1410, 1445, 1525, 1600};
  int post = kPost[static_cast<size_t>(std::clamp(s.number, 1, 12) - 1)];
  int minutes = post / 100 * 60 + post % 100 + 5 * course_index;
  if (s.number == 11 && course_index == 0) minutes += 20;  // the day's feature race goes last
  s.post_time = minutes / 60 * 100 + minutes % 60;
}

bool AgesFit(const RaceSpec& spec, int age) {
  switch (spec.ages) {
    case Ages::Two: return age == 2;
    case Ages::Three: return age == 3;
    case Ages::ThreeUp: return age >= 3;
    case Ages::FourUp: return age >= 4;
  }
  return false;
}

int LevelFor(int wins, int age, int month, bool first_run) {
  if (wins == 0) {
    if (first_run && (age == 2 || (age == 3 && month <= 3))) return kDebut;
    if (age == 2 || (age == 3 && month <= 9)) return kMaiden;
    return kWin1;
  }
  if (wins >= 4) return kOpen;
  return kWin1 + wins - 1;
}

}  // namespace radadovur::demo
