#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "demo/calendar.h"
#include "demo/word_lists.h"

// The demo week as a small world: this week's races at three racecourses, every runner's horse
// with its past runs, the jockeys and trainers, and the results and odds where they are known.
// The record writers turn it into JV-Data records; nothing here knows about record layouts.
namespace radadovur::demo {

enum class WeekState { Friday, Monday };

struct WeekOptions {
  WeekState state = WeekState::Friday;
  bool large = false;  // three race days instead of two
  uint64_t seed = 1;
  // The week of a user's folder: 1 is the demo week; each later week follows the one before it
  // in the same folder (kMaxWeek at most).
  int week = 1;
};
inline constexpr int kMaxWeek = 4;

enum class Surface { Turf, Dirt, Hurdle };
// Who may run: 2-year-olds, 3-year-olds, 3-year-olds and up, 4-year-olds and up.
enum class Ages { Two, Three, ThreeUp, FourUp };

// Race class, lowest first. Hurdle races use Maiden and Open (and G3 for a graded hurdle race).
enum Level : int { kDebut = 0, kMaiden, kWin1, kWin2, kWin3, kOpen, kListed, kG3, kG2, kG1 };

struct RaceSpec {
  Date date;
  std::string venue;         // "01".."10"; other codes for runs elsewhere
  char outside = 0;          // 'A' (local racing) or 'B' (abroad) for a race outside the ten
  int kaiji = 1, nichiji = 1, number = 1;
  char weekday = '1';
  Surface surface = Surface::Turf;
  int distance = 1600;
  std::string track = "17", course = "A ";
  int level = kWin1;
  Ages ages = Ages::ThreeUp;
  bool fillies = false;
  char weight_type = '4';
  std::string type_code = "13", symbol_code = "000";
  std::array<std::string, 5> conditions{"000", "000", "000", "000", "000"};
  std::string condition_name;
  char grade = ' ';
  std::string name, name_eng, short10, short6, short3;  // empty for an ordinary race
  bool wide_blank_name = false;  // names padded with full-width blanks, as JV-Data pads its texts
  int graded_count = 0;
  int post_time = 1000;                 // hhmm
  std::array<int64_t, 5> prize{};       // hundreds of yen, places 1 to 5
  std::array<int64_t, 3> added{};

  std::string RaceId() const;  // 16 characters
  bool Jra() const { return outside == 0; }
};

// One horse number of one race.
struct Runner {
  int umaban = 0, wakuban = 0;
  int horse = -1;            // index of World::horses; -1 for a horse of no interest here
  double market = 0;         // win probability the betting sees
  double truth = 0;          // weight of the horse when the race is run
  double style = 0.5;        // 0 leads, 1 comes from behind
  int finish = 0;            // placing 1..N once run (equal for a dead heat); 0 when scratched or not finished
  bool abnormal = false;     // did not finish (競走中止)
  bool scratched = false;
  int time = 0;              // tenths of a second
  int last3f = 0, last4f = 0;
  std::array<int, 4> corners{};
  std::string margin = "   ";
  int time_diff = 0;         // tenths; the winner's is minus its lead
  int odds = 0;              // win odds in tenths
  int popularity = 0;
  int jockey = -1;           // index of World::jockeys
  int jockey_before = -1;    // jockey before an announced change
  int carried = 550;         // weight carried, tenths of a kilogram
  int carried_before = 0;
  int body_weight = 0;       // kg
  int body_change = 0;
  bool first_run = false;    // no body-weight change to show
  bool blinkers = false;
  int style_code = 0;        // running style judged for the race, 1..4
  std::string other_ketto;   // identity of a horse of no interest here
  Name other_name;
};

struct Race {
  RaceSpec spec;
  std::vector<Runner> runners;  // index = horse number - 1
  bool run = false;             // results known
  bool cancelled = false;
  char weather = '0', turf_going = '0', dirt_going = '0';
  std::vector<int> laps;        // tenths per furlong (a first 100 m piece when the distance asks)
  int first3f = 0, first4f = 0, last3f = 0, last4f = 0, hurdle_mile = 0;
  std::array<std::string, 4> passing;  // corner passing orders
  std::array<int, 4> passing_corner{};  // corner number of each entry, 0 when unused
  std::vector<int> order;       // horse numbers in finishing order (finishers only)
  bool trifecta_void = false;   // no 3連単 result: nobody held the winning ticket
  int day = -1;                 // this week's race day index; -1 for a past race

  int Starters() const;
  int Finishers() const;
};

// A past race is named by its date, racecourse and race number.
using PastKey = std::tuple<int, std::string, int>;

struct PastRun {
  PastKey key;
  int umaban = 0;
  Date created;                 // when the result was published
  Date corrected;               // a later correction, delivered again; y == 0 when none
};

struct Ancestor {
  std::string num;              // breeding number, 10 digits
  Name name;
};
// A sire or dam with its parents and grandparents.
struct Breeding {
  Ancestor self, sire, dam, ss, sd, ds, dd;
};

struct Trainer {
  std::string code;
  PersonName name;
  char east_west = '1';
};

struct Jockey {
  std::string code;
  PersonName name;
  Date birth, licence;
  char sex = '1';
  char qualification = '2';     // 1 flat and hurdles, 2 flat, 3 hurdles
  char apprentice = '0';
  char east_west = '1';
  std::string invitation;
  int trainer = -1;
  bool jra = true;              // local jockeys have no jockey master record
  double skill = 0.5;
};

struct Horse {
  std::string ketto;
  Name name;
  Date birth, registered;
  char sex = '1';
  std::string coat = "03", symbol = "00";
  int sire = 0, dam = 0;
  int trainer = 0;
  int main_jockey = 0;
  std::string owner_code, owner_name, breeder_code, breeder_name, area, silks;
  int base_weight = 470;
  double ability = 0.5;         // 0..1 within its class
  double style = 0.5;
  bool prefers_dirt = false;
  int best_distance = 1600;
  bool hurdler = false;
  bool blinkers = false;
  std::vector<PastRun> runs;    // oldest first
  int week_race = -1, week_umaban = 0;
  int early_race = -1;          // an early entry of that race that was not declared
};

struct Course {
  std::string venue;
  int kaiji = 1;
  int first_nichiji = 1;
};

struct World {
  WeekOptions options;
  std::vector<Date> race_days;
  Date friday, monday;          // download days of the two states
  std::vector<Course> courses;
  std::vector<Race> week;       // race day, course, race number
  std::map<PastKey, Race> past;
  std::vector<Horse> horses;    // this week's runners, then the undeclared early entries
  std::vector<Jockey> jockeys;  // the JRA jockeys first
  std::vector<Trainer> trainers;
  std::vector<Breeding> sires, dams;
  std::vector<int> early_entry_races;  // races delivered with early entries ("1")
  // Bookkeeping while the world is built: breeding-number counters, the grandsires, the serial
  // numbers of each foal crop and the names already given.
  struct Build {
    int stallions = 0, mares = 0;
    std::vector<Ancestor> old_stallions;
    std::map<int, int> serials;
    std::set<std::string> horse_names;
  } build;
  int cancelled_race = -1;      // index in week
  int scratched_race = -1, scratched_umaban = 0;
  // Cases the hit checks meet (indexes in week): a dead heat for first and one for third, a race
  // without a 3連単 result, a race of four runners and a race whose horse number 1 is scratched
  // alone in its bracket (the week's last two races).
  int dead_heat_first = -1, dead_heat_third = -1, void_trifecta_race = -1, small_race = -1, refund_race = -1;
  // Cases the prediction steps meet: a horse whose entry for this week was created before the
  // result of its last run (the expanded records drop that entry again), a past race whose race
  // record was never delivered, and a rider whose master record in the model package differs
  // from this week's (the package's birth date wins).
  int stale_horse = -1;
  Date stale_created;
  PastKey missing_race{-1, "", 0};
  int package_jockey = -1;
  Date package_jockey_birth;

  bool Monday() const { return options.state == WeekState::Monday; }
  // When this week's records of a race day were published in the chosen state.
  Date CardCreated(int day) const;
  Date ResultsCreated() const { return monday; }
  // When the result of a past race was published (a few days later, and before this week's
  // cards).
  Date ResultPublished(const RaceSpec& spec) const;
  // When this week's runner record of `horse` was created in the chosen state, for a race of
  // race day `day`.
  Date EntryCreated(int horse, int day) const { return horse == stale_horse ? stale_created : CardCreated(day); }
};

World GenerateWorld(const WeekOptions& options);

}  // namespace radadovur::demo
