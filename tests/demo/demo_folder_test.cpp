// The demo program folder: deterministic, a realistic week, and recordings that the JV-Link
// stand-in and every later step can read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"
#include "demo/demo_folder.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_odds.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "jvdata/record.h"
#include "support/demo_cache.h"
#include "support/run_cli.h"

namespace radadovur::demo {
namespace {

namespace fs = std::filesystem;

std::string TempDir(const std::string& name) {
  const fs::path p = fs::temp_directory_path() / ("radadovur_demo_test_" + std::to_string(::getpid()) + "_" + name);
  fs::remove_all(p);
  return p.string();
}

// Every file below `dir`, by relative path, with its bytes.
std::map<std::string, std::string> FilesOf(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files[fs::relative(e.path(), dir).string()] = *common::ReadWholeFile(e.path().string());
  return files;
}

struct Delivered {
  std::string file;
  std::string record;
  std::string_view Spec() const { return std::string_view(record).substr(0, 2); }
  char Category() const { return record[2]; }
};

// The records of a dataspec folder, file by file in name order, cut by their delivered lengths.
std::vector<Delivered> Recordings(const std::string& dir, const std::string& spec, std::vector<std::string>* errors = nullptr) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir + "/JVDATA/" + spec)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  std::vector<Delivered> out;
  for (const auto& name : names) {
    const std::string bytes = *common::ReadWholeFile(dir + "/JVDATA/" + spec + "/" + name);
    size_t at = 0;
    while (at < bytes.size()) {
      const jvdata::Layout* layout = jvdata::DeliveredLayout(jvdata::TypeOf(bytes.substr(at, 2)));
      if (!layout || at + layout->length > bytes.size()) {
        if (errors) errors->push_back(name + ": no whole record at byte " + std::to_string(at));
        break;
      }
      out.push_back({name, bytes.substr(at, layout->length)});
      at += layout->length;
    }
  }
  return out;
}

std::string Str(std::string_view v) { return std::string(v); }
std::string RaceIdOf(const std::string& record) { return record.substr(11, 16); }

// The friday and monday folders of seed 1, written once by the command line and shared by every
// test process of this build (support/demo_cache.h).
class DemoWeekTest : public ::testing::Test {
 protected:
  static std::string Folder(const std::string& state) { return testing::CachedDemoWeek("--state " + state); }
  static const std::string& Friday() {
    static const std::string dir = Folder("friday") + "/week";
    return dir;
  }
  static const std::string& Monday() {
    static const std::string dir = Folder("monday") + "/week";
    return dir;
  }
};

bool ThisWeek(const std::string& record) { return record.substr(11, 6) == "202408"; }

TEST_F(DemoWeekTest, CommandWritesTheFolderAndSummarises) {
  ASSERT_FALSE(Friday() == "/week");
  const std::string output = common::ReadWholeFile(fs::path(Friday()).parent_path() / "output.txt").value_or("");
  EXPECT_NE(output.find("レース 72、出走"), std::string::npos) << output;
  EXPECT_NE(output.find("過去の出走"), std::string::npos) << output;
  // Friday: no payouts yet, so the list starts with the jockey masters.
  EXPECT_NE(output.find("記録 TOKURACETCVNRCVN: KS"), std::string::npos) << output;
}

void WriteFiles(const std::string& dir, const std::map<std::string, std::string>& files) {
  for (const auto& [path, bytes] : files) {
    fs::create_directories(fs::path(dir + "/" + path).parent_path());
    ASSERT_TRUE(common::WriteFileAtomic(dir + "/" + path, bytes).ok()) << path;
  }
}

TEST_F(DemoWeekTest, SameSeedGivesTheSameBytesAndReplacesStaleRecordings) {
  // Written over an earlier demo's folder (Monday's) with a damaged recording and one recording
  // of its own that this week does not have.
  const std::string again = TempDir("again");
  ASSERT_EQ(testing::RunCli("demo '" + again + "' --state monday").exit_code, 0);
  WriteFiles(again, {{"JVDATA/0B12/20240803.jvd", "damaged"}, {"JVDATA/TOKURACETCVNRCVN/0099.jvd", "RA stale"}});
  std::string mark = *common::ReadWholeFile(again + "/DEMOWEEK.txt");
  WriteFiles(again, {{"DEMOWEEK.txt", mark + "\"JVDATA/TOKURACETCVNRCVN/0099.jvd\"\r\n"}});
  std::string error;
  ASSERT_TRUE(WriteDemoFolder(again, WeekOptions{}, nullptr, &error)) << error;
  const auto written = FilesOf(again);
  const auto expected = FilesOf(Friday());
  EXPECT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected);
  fs::remove_all(again);
}

// Monday's recordings written into the worked Friday folder: the demo's files are replaced and
// its Friday-only recording removed; the steps' outputs and the user's own files stay as they are.
TEST_F(DemoWeekTest, MondayOverTheWorkedFridayFolderReplacesOnlyTheDemosFiles) {
  const std::string dir = TempDir("worked");
  ASSERT_EQ(testing::RunCli("demo '" + dir + "'").exit_code, 0);
  const std::map<std::string, std::string> others = {
      {"JVDATA/TOKURACETCVNRCVN/9999.jvd", "RA the user's own recording"},
      {"JVDATA/0B12/notes.txt", "the user's"},
      {"RATHISWEEKN.dat", "a step's output"},
      {"RACE/202408030101.dat", "a step's output"},
      {"letter.txt", "dear"}};
  WriteFiles(dir, others);
  WriteFiles(dir, {{"JVDATA/0B30/2024080301020501.jvd", "damaged"}});  // one of the demo's
  WeekOptions monday;
  monday.state = WeekState::Monday;
  std::string error;
  ASSERT_TRUE(WriteDemoFolder(dir, monday, nullptr, &error)) << error;
  auto written = FilesOf(dir);
  for (const auto& [path, bytes] : others) {
    EXPECT_EQ(written[path], bytes) << path;
    written.erase(path);
  }
  EXPECT_TRUE(written == FilesOf(Monday()));
  fs::remove_all(dir);
}

TEST_F(DemoWeekTest, DifferentSeedsGiveDifferentWeeks) {
  WeekOptions other;
  other.seed = 2;
  const auto files = BuildDemoFiles(GenerateWorld(other), nullptr);
  const auto seed1 = FilesOf(Friday());
  int differing = 0;
  for (const auto& f : files) differing += seed1.count(f.path) && seed1.at(f.path) != f.bytes ? 1 : 0;
  EXPECT_GT(differing, 10);
}

TEST_F(DemoWeekTest, EveryRecordIsAWholeDeliveredRecordInCp932) {
  for (const std::string& dir : {Friday(), Monday()})
    for (const char* spec : {kWeekDataspec, kOddsDataspec, kRealtimeOdds, kRealtimeResults}) {
      std::vector<std::string> errors;
      const auto records = Recordings(dir, spec, &errors);
      EXPECT_TRUE(errors.empty()) << spec << ": " << errors.front();
      EXPECT_FALSE(records.empty()) << spec;
      for (const auto& d : records) {
        ASSERT_NE(jvdata::TypeOf(d.record), jvdata::RecordType::Unknown) << d.file;
        ASSERT_EQ(d.record.substr(d.record.size() - 2), "\r\n") << d.file << " " << d.Spec();
        ASSERT_EQ(d.record.find_first_of("\r\n"), d.record.size() - 2) << d.file << " " << d.Spec();
        ASSERT_TRUE(common::DecodeCp932(d.record).has_value()) << d.file << " " << d.Spec();
      }
    }
  // The week's download comes in several files, numbered from 0001, every one with records.
  std::set<std::string> files;
  for (const auto& d : Recordings(Friday(), kWeekDataspec)) files.insert(d.file);
  EXPECT_GE(files.size(), 6u);
  EXPECT_EQ(*files.begin(), "0001.jvd");
  EXPECT_EQ(files.size(), std::stoul(files.rbegin()->substr(0, 4)));
}

TEST_F(DemoWeekTest, TheWeekIsARealisticRaceWeek) {
  const auto records = Recordings(Friday(), kWeekDataspec);
  std::map<std::string, int> entered;                   // this week's race -> TorokuTosu
  std::map<std::string, int> runners;                   // this week's race -> runner records
  std::set<std::string> dates, venues, horses, jockeys, masters, deleted, riders, tracks;
  std::map<std::string, std::set<std::string>> runs;    // horse -> past races
  std::map<std::string, int> versions;                  // horse and past race -> deliveries
  std::map<std::string, std::set<std::string>> numbers;  // horse and past race -> its horse numbers
  int early = 0, outside = 0;
  std::set<std::string> unnamed;  // races whose name is full-width blanks, as JV-Data pads it
  std::string wide_blanks;
  for (int k = 0; k < 30; ++k) wide_blanks += "\x81\x40";
  for (const auto& d : records) {
    const std::string& r = d.record;
    if (d.Spec() == "RA" && ThisWeek(r) && d.Category() == '2') {
      entered[RaceIdOf(r)] = std::stoi(Str(jvdata::ra::TorokuTosu.Of(r)));
      if (jvdata::ra::RaceName.Of(r) == wide_blanks) unnamed.insert(RaceIdOf(r));
      dates.insert(r.substr(11, 8));
      venues.insert(Str(jvdata::ra::VenueCode.Of(r)));
      tracks.insert(Str(jvdata::ra::TrackCode.Of(r)).substr(0, 1));
    }
    if (d.Spec() == "SE" && ThisWeek(r)) {
      if (d.Category() == '1') ++early;
      if (d.Category() != '2') continue;
      ++runners[RaceIdOf(r)];
      horses.insert(Str(jvdata::se::KettoNum.Of(r)));
      jockeys.insert(Str(jvdata::se::KishuCode.Of(r)));
    } else if (d.Spec() == "SE") {
      runs[Str(jvdata::se::KettoNum.Of(r))].insert(RaceIdOf(r));
      ++versions[Str(jvdata::se::KettoNum.Of(r)) + RaceIdOf(r)];
      numbers[Str(jvdata::se::KettoNum.Of(r)) + RaceIdOf(r)].insert(Str(jvdata::se::Umaban.Of(r)));
      const std::string venue = Str(jvdata::se::VenueCode.Of(r));
      if (venue < "01" || venue > "10") ++outside;
    }
    if (d.Spec() == "UM") (d.Category() == '9' ? deleted : masters).insert(Str(jvdata::um::KettoNum.Of(r)));
    if (d.Spec() == "KS") riders.insert(r.substr(11, 5));
  }
  EXPECT_EQ(entered.size(), 72u);
  EXPECT_EQ(dates.size(), 2u);
  EXPECT_EQ(venues, (std::set<std::string>{"01", "04", "10"}));
  EXPECT_EQ(tracks, (std::set<std::string>{"1", "2", "5"}));  // turf, dirt and hurdle races
  std::vector<int> small;  // fields of eight or more, but for one race of four
  for (const auto& [race, n] : entered) {
    if (n < 8) small.push_back(n);
    EXPECT_LE(n, 18) << race;
    EXPECT_EQ(runners[race], n) << race;
  }
  EXPECT_EQ(small, std::vector<int>{4});
  EXPECT_EQ(unnamed.size(), 6u);  // the first race of each racecourse and day
  EXPECT_GT(early, 0);
  EXPECT_GT(horses.size(), 72u * 8);
  size_t without_runs = 0, many_runs = 0;
  for (const auto& h : horses) {
    EXPECT_TRUE(masters.count(h)) << "no horse master for " << h;
    EXPECT_LE(runs[h].size(), 30u) << h;
    without_runs += runs[h].empty() ? 1 : 0;
    many_runs += runs[h].size() >= 15 ? 1 : 0;
  }
  EXPECT_GT(without_runs, 0u);
  EXPECT_GT(many_runs, 0u);
  for (const auto& j : jockeys) EXPECT_TRUE(riders.count(j)) << "no jockey master for " << j;
  EXPECT_FALSE(deleted.empty());
  EXPECT_GT(outside, 0);
  EXPECT_TRUE(std::any_of(versions.begin(), versions.end(), [](const auto& v) { return v.second == 2; }));
  for (const auto& [run, umaban] : numbers) EXPECT_EQ(umaban.size(), 1u) << "entered twice: " << run;
}

TEST_F(DemoWeekTest, FridayHasCardsOnlyAndMondayFinalResults) {
  for (const auto& d : Recordings(Friday(), kWeekDataspec)) {
    if (!ThisWeek(d.record)) continue;
    EXPECT_NE(d.Category(), '7') << d.Spec();
    EXPECT_NE(d.Spec(), "HR");
    if (d.Spec() == "SE") {
      EXPECT_EQ(Str(jvdata::se::FinalOrder.Of(d.record)), "00");
    }
  }
  // Monday: the last race day is final, and so is the last record of the sorted race file.
  std::string last_key, last_category, last_day;
  int last_day_races = 0;
  for (const auto& d : Recordings(Monday(), kWeekDataspec)) {
    if (d.Spec() != "RA") continue;
    const std::string& r = d.record;
    const std::string key = r.substr(11, 8) + r.substr(2, 1) + r.substr(19, 2) + r.substr(25, 2);
    if (key > last_key) {
      last_key = key;
      last_category = r.substr(2, 1);
    }
    if (r.substr(11, 8) == "20240804") {
      EXPECT_EQ(d.Category(), '7');
      ++last_day_races;
    }
  }
  EXPECT_EQ(last_day_races, 36);
  EXPECT_EQ(last_category, "7");
}

// The winning tickets of a race by its confirmed placings: (x, y, z) is a 3連単 result when no
// horse is placed ahead of x, none but x ahead of y and none but x and y ahead of z (so a dead
// heat gives every order of the horses that share a placing).
struct Results {
  std::set<std::string> win, place, quinella, wide, exacta, trio, trifecta;
};
Results ResultsOf(const std::map<std::string, int>& placing, int places) {
  Results out;
  auto ahead_only = [&](const std::string& h, std::set<std::string> allowed) {
    for (const auto& [other, p] : placing)
      if (p < placing.at(h) && !allowed.count(other)) return false;
    return true;
  };
  auto low = [](std::string x, std::string y) { return std::min(x, y) + std::max(x, y); };
  for (const auto& [h, p] : placing) {
    if (p <= places) out.place.insert(h);
    if (ahead_only(h, {})) out.win.insert(h);
  }
  for (const auto& [x, px] : placing)
    for (const auto& [y, py] : placing)
      for (const auto& [z, pz] : placing) {
        if (x == y || y == z || x == z || !ahead_only(x, {}) || !ahead_only(y, {x}) || !ahead_only(z, {x, y})) continue;
        std::vector<std::string> trio = {x, y, z};
        std::sort(trio.begin(), trio.end());
        out.trifecta.insert(x + y + z);
        out.trio.insert(trio[0] + trio[1] + trio[2]);
        out.exacta.insert(x + y);
        out.quinella.insert(low(x, y));
        out.wide.insert({low(x, y), low(x, z), low(y, z)});
      }
  return out;
}

// The combinations of a payout block, up to its first blank entry; every entry after it blank.
std::set<std::string> Combinations(const std::string& hr, const jvdata::Field& f, uint32_t entries) {
  std::set<std::string> out;
  bool ended = false;
  for (uint32_t i = 0; i < entries; ++i) {
    const std::string c = Str(f.Of(hr, i));
    if (c.find_first_not_of(' ') == std::string::npos) {
      ended = true;
      continue;
    }
    EXPECT_FALSE(ended) << "an entry after a blank one: " << c;
    out.insert(c);
  }
  return out;
}

TEST_F(DemoWeekTest, MondayPayoutsFollowThePlacingsAndTheOdds) {
  std::map<std::string, std::vector<std::string>> entries;  // race -> its runner records
  std::map<std::string, std::string> payouts;
  for (const auto& d : Recordings(Monday(), kWeekDataspec)) {
    if (!ThisWeek(d.record)) continue;
    if (d.Spec() == "SE") entries[RaceIdOf(d.record)].push_back(d.record);
    if (d.Spec() == "HR") payouts[RaceIdOf(d.record)] = d.record;
  }
  std::map<std::string, std::string> win_odds;  // race + horse number -> O1 odds
  for (const auto& d : Recordings(Monday(), kOddsDataspec))
    if (d.Spec() == "O1")
      for (uint32_t i = 0; i < 28; ++i)
        win_odds[RaceIdOf(d.record) + Str(jvdata::o1::WinOddsEntries_Umaban.Of(d.record, i))] = Str(jvdata::o1::WinOddsEntries_Odds.Of(d.record, i));
  EXPECT_EQ(payouts.size(), 71u);  // every race but the one called off
  int tied_races = 0, void_trifectas = 0;
  for (const auto& [race, hr] : payouts) {
    std::map<std::string, int> placing;  // horse number -> confirmed placing
    std::map<int, int> shared;           // placing -> horses
    for (const auto& se : entries[race]) {
      const int order = std::stoi(Str(jvdata::se::FinalOrder.Of(se)));
      const std::string umaban = Str(jvdata::se::Umaban.Of(se));
      EXPECT_EQ(Str(jvdata::se::WinOdds.Of(se)), jvdata::se::AbnormalityCode.Of(se) == "0" ? win_odds[race + umaban] : "0000");
      if (order == 0) continue;
      EXPECT_EQ(Str(jvdata::se::ArrivalOrder.Of(se)), Str(jvdata::se::FinalOrder.Of(se))) << race;
      placing[umaban] = order;
      ++shared[order];
    }
    for (const auto& se : entries[race]) {
      const int order = std::stoi(Str(jvdata::se::FinalOrder.Of(se)));
      const int others = order ? shared[order] - 1 : 0;
      EXPECT_EQ(Str(jvdata::se::DeadHeatCode.Of(se)) + Str(jvdata::se::DeadHeatCount.Of(se)),
                others ? "1" + std::to_string(others) : "00") << race;
    }
    tied_races += placing.size() != shared.size() ? 1 : 0;
    const int places = std::stoi(Str(jvdata::hr::ShussoTosu.Of(hr))) >= 8 ? 3 : 2;
    const Results want = ResultsOf(placing, places);
    namespace hrf = jvdata::hr;
    const std::set<std::string> win = Combinations(hr, hrf::TanshoPayouts_Combination, 3);
    EXPECT_EQ(win, want.win) << race;
    for (uint32_t i = 0; i < win.size(); ++i)
      EXPECT_EQ(std::stoi(Str(hrf::TanshoPayouts_Payout.Of(hr, i))),
                std::stoi(win_odds[race + Str(hrf::TanshoPayouts_Combination.Of(hr, i))]) * 10) << race;
    EXPECT_EQ(Combinations(hr, hrf::FukushoPayouts_Combination, 5), want.place) << race;
    EXPECT_EQ(Combinations(hr, hrf::UmarenPayouts_Combination, 3), want.quinella) << race;
    EXPECT_EQ(Combinations(hr, hrf::WidePayouts_Combination, 7), want.wide) << race;
    EXPECT_EQ(Combinations(hr, hrf::UmatanPayouts_Combination, 6), want.exacta) << race;
    EXPECT_EQ(Combinations(hr, hrf::SanrenpukuPayouts_Combination, 3), want.trio) << race;
    if (hrf::SanrentanPayouts_Combination.Of(hr) == "000000") {
      ++void_trifectas;
      EXPECT_EQ(Str(hrf::VoidFlags.Of(hr, 8)), "1") << race;
      EXPECT_EQ(Combinations(hr, hrf::SanrentanPayouts_Combination, 6), std::set<std::string>{"000000"}) << race;
    } else {
      EXPECT_EQ(Combinations(hr, hrf::SanrentanPayouts_Combination, 6), want.trifecta) << race;
    }
  }
  EXPECT_EQ(tied_races, 2);
  EXPECT_EQ(void_trifectas, 1);
}

// The cases the hit checks meet: a dead heat for first and one for third (with their extra
// entries), a race without a 3連単 result, a refunded bracket and a race of four runners.
TEST_F(DemoWeekTest, MondayWeekHoldsTheCasesTheHitChecksMeet) {
  std::map<std::string, std::map<std::string, std::string>> runners;  // race -> horse number -> SE
  std::map<std::string, std::string> payouts;
  for (const auto& d : Recordings(Monday(), kWeekDataspec)) {
    if (!ThisWeek(d.record)) continue;
    if (d.Spec() == "SE") runners[RaceIdOf(d.record)][Str(jvdata::se::Umaban.Of(d.record))] = d.record;
    if (d.Spec() == "HR") payouts[RaceIdOf(d.record)] = d.record;
  }
  auto count = [](const std::string& hr, const jvdata::Field& f, uint32_t entries) {
    return Combinations(hr, f, entries).size();
  };
  std::map<std::string, std::string> found;  // case -> race
  for (const auto& [race, hr] : payouts) {
    std::map<std::string, int> at;  // confirmed placing -> horses
    for (const auto& [u, se] : runners[race]) ++at[Str(jvdata::se::FinalOrder.Of(se))];
    namespace hrf = jvdata::hr;
    if (at["01"] == 2) {
      found["first"] = race;
      EXPECT_EQ(at.count("02"), 0u);
      EXPECT_EQ(at["03"], 1);
      EXPECT_EQ(count(hr, hrf::TanshoPayouts_Combination, 3), 2u);
      EXPECT_EQ(count(hr, hrf::UmatanPayouts_Combination, 6), 2u);
      EXPECT_EQ(count(hr, hrf::SanrentanPayouts_Combination, 6), 2u);
      EXPECT_EQ(count(hr, hrf::UmarenPayouts_Combination, 3), 1u);
      // The winners share a time, the second of them with the dead-heat margin; every other
      // finisher names both winners as its opposing horses.
      std::set<std::string> times;
      int margins = 0;
      for (const auto& [u, se] : runners[race])
        if (jvdata::se::FinalOrder.Of(se) == "01") {
          times.insert(Str(jvdata::se::RunTime.Of(se)));
          margins += jvdata::se::MarginCode.Of(se, 0) == "D  " ? 1 : 0;
          EXPECT_EQ(Str(jvdata::se::TimeDiff.Of(se)), "+000") << u;
        } else if (jvdata::se::FinalOrder.Of(se) != "00") {
          EXPECT_NE(Str(jvdata::se::PlacedHorses_KettoNum.Of(se, 1)), "          ") << u;
        }
      EXPECT_EQ(times.size(), 1u);
      EXPECT_EQ(margins, 1);
    }
    if (at["03"] == 2) {
      found["third"] = race;
      EXPECT_EQ(at.count("04"), 0u);
      EXPECT_EQ(count(hr, hrf::FukushoPayouts_Combination, 5), 4u);  // a place block of four
      EXPECT_EQ(count(hr, hrf::WidePayouts_Combination, 7), 5u);     // and a ワイド block of five
      EXPECT_EQ(count(hr, hrf::SanrenpukuPayouts_Combination, 3), 2u);
      EXPECT_EQ(count(hr, hrf::SanrentanPayouts_Combination, 6), 2u);
    }
    if (hrf::SanrentanPayouts_Combination.Of(hr) == "000000") found["void"] = race;
    for (uint32_t b = 0; b < 8; ++b)
      if (hrf::RefundedBrackets.Of(hr, b) == "1") {
        found["bracket"] = race;
        // Its only runner is scratched, and the payouts name no horse of it.
        for (const auto& [u, se] : runners[race])
          if (std::stoi(Str(jvdata::se::Wakuban.Of(se))) == static_cast<int>(b) + 1) {
            EXPECT_EQ(Str(jvdata::se::AbnormalityCode.Of(se)), "1");
            EXPECT_EQ(Str(hrf::RefundedHorses.Of(hr, static_cast<uint32_t>(std::stoi(u) - 1))), "1");
          }
        EXPECT_EQ(Str(hrf::WakurenPayouts_Combination.Of(hr)).find(std::to_string(b + 1)), std::string::npos);
      }
    if (runners[race].size() == 4) {
      found["small"] = race;
      EXPECT_EQ(count(hr, hrf::FukushoPayouts_Combination, 5), 2u);
      EXPECT_EQ(count(hr, hrf::WakurenPayouts_Combination, 3), 0u);
      EXPECT_EQ(count(hr, hrf::SanrentanPayouts_Combination, 6), 1u);
    }
  }
  EXPECT_EQ(found.size(), 5u);
  std::set<std::string> races;
  for (const auto& [what, race] : found) races.insert(race);
  EXPECT_EQ(races.size(), found.size());  // one case per race
  // The realtime results deliver the same payouts.
  for (const auto& d : Recordings(Monday(), kRealtimeResults))
    if (d.Spec() == "HR" && races.count(RaceIdOf(d.record))) {
      EXPECT_EQ(d.record.substr(11), payouts[RaceIdOf(d.record)].substr(11));
    }
}

TEST_F(DemoWeekTest, OddsRecordsCarryEveryTicketOfAnEighteenHorseField) {
  const auto records = Recordings(Monday(), kRealtimeOdds);
  std::set<std::string> races;
  bool small_field = false;
  for (const auto& d : records) {
    races.insert(d.file);
    if (d.Spec() != "O2" && d.Spec() != "O6") continue;
    const jvdata::odds::Family& f = d.Spec() == "O2" ? jvdata::odds::kQuinella : jvdata::odds::kTrifecta;
    const int starters = std::stoi(Str(jvdata::odds::ShussoTosu.Of(d.record)));
    const int entered = std::stoi(Str(jvdata::odds::TorokuTosu.Of(d.record)));
    small_field = small_field || entered < 18;
    uint32_t i = 0;
    for (int x = 1; x <= 18; ++x)
      for (int y = f.spec == "O2" ? x + 1 : 1; y <= 18; ++y)
        for (int z = f.spec == "O2" ? 0 : 1; z <= (f.spec == "O2" ? 0 : 18); ++z) {
          if (y == x || z == x || z == y) continue;
          char buf[8];
          std::snprintf(buf, sizeof buf, z ? "%02d%02d%02d" : "%02d%02d", x, y, z);
          ASSERT_EQ(Str(f.Combination().Of(d.record, i)), buf);
          const std::string odds = Str(f.Odds().Of(d.record, i));
          const bool absent = x > entered || y > entered || z > entered;
          if (absent) {
            EXPECT_TRUE(jvdata::odds::IsNoOdds(odds)) << buf;
          }
          ++i;
        }
    EXPECT_EQ(i, f.entries);
    (void)starters;
  }
  EXPECT_EQ(races.size(), 72u);
  EXPECT_TRUE(small_field);
}

TEST_F(DemoWeekTest, RealtimeResultsHaveOneCancelledRaceAndScratchedRunners) {
  for (const std::string& dir : {Friday(), Monday()}) {
    std::string cancelled_race;
    int cancelled = 0, payouts = 0, other_types = 0;
    std::map<std::string, int> scratched;  // race -> runner records of category "9"
    std::set<std::string> files;
    for (const auto& d : Recordings(dir, kRealtimeResults)) {
      files.insert(d.file);
      EXPECT_EQ(d.record.substr(11, 8) + ".jvd", d.file);
      if (d.Spec() == "RA" && d.Category() == '9') {
        ++cancelled;
        cancelled_race = RaceIdOf(d.record);
      }
      if (d.Spec() == "SE" && d.Category() == '9') ++scratched[RaceIdOf(d.record)];
      if (d.Spec() == "HR") ++payouts;
      if (d.Spec() != "RA" && d.Spec() != "SE" && d.Spec() != "HR") ++other_types;
    }
    EXPECT_EQ(files, (std::set<std::string>{"20240803.jvd", "20240804.jvd"}));
    EXPECT_EQ(cancelled, 1);
    // Every runner of the cancelled race, and one runner in each of two other races.
    ASSERT_EQ(scratched.size(), 3u);
    EXPECT_GE(scratched[cancelled_race], 8);
    for (const auto& [race, n] : scratched) {
      if (race != cancelled_race) {
        EXPECT_EQ(n, 1) << race;
      }
    }
    EXPECT_EQ(payouts, dir == Monday() ? 71 : 0);
    EXPECT_EQ(other_types, 2);  // a win odds record per day, which the realtime results do not keep
    // The week's own data has the cancelled race under its early category and its card's.
    std::string categories;
    for (const auto& d : Recordings(dir, kWeekDataspec))
      if (d.Spec() == "RA" && RaceIdOf(d.record) == cancelled_race) categories += d.Category();
    EXPECT_EQ(categories, "12");
  }
}

TEST_F(DemoWeekTest, ProgramFolderHoldsCodeTableAndModelPackageButNoStore) {
  const std::string csv = *common::ReadWholeFile(Friday() + "/JRACODE/CodeTable.csv");
  common::CsvItemReader reader(csv);
  std::vector<std::string> values;
  for (std::string v; reader.Next(v);) values.push_back(v);
  ASSERT_EQ(values.size() % 8, 0u);
  EXPECT_LE(values.size() / 8, 501u);
  auto lookup = [&](const std::string& kind, const std::string& code, size_t column) {
    std::string found;
    for (size_t row = 0; row + 8 <= values.size(); row += 8)
      if (values[row] == kind && values[row + 1] == code) found = values[row + column];
    return common::DecodeCp932(found).value_or("?");
  };
  EXPECT_EQ(lookup("2001", "06", 4), "中山");
  EXPECT_EQ(lookup("2001", "10", 6), "kokura");
  EXPECT_EQ(lookup("2002", "2", 4), "日");
  EXPECT_EQ(lookup("2003", "C", 2), "Ｇ３");
  EXPECT_EQ(lookup("2009", "24", 3).substr(0, 3), "ダ");
  EXPECT_EQ(lookup("2010", "1", 2), "良");
  EXPECT_EQ(lookup("2202", "2", 2).substr(0, 3), "牝");

  struct stat st {};
  ASSERT_EQ(::stat((Friday() + "/OPTION1N/KYOSOBA.dat").c_str(), &st), 0);
  std::tm tm{};
  const time_t t = st.st_mtime;
  gmtime_r(&t, &tm);
  EXPECT_EQ(tm.tm_year + 1900, 2024);
  EXPECT_EQ(tm.tm_mon + 1, 7);
  EXPECT_EQ(tm.tm_mday, 29);
  EXPECT_TRUE(fs::exists(Friday() + "/OPTION1N/STALLION.dat"));
  for (const char* store : {"RATHISWEEKN.dat", "SETHISWEEKN.dat", "UMTHISWEEKN.dat", "KSTHISWEEKN.dat", "HRTHISWEEKN.dat"})
    EXPECT_FALSE(fs::exists(Friday() + "/" + store)) << store;
}

// A folder the demo did not write is not the demo's to fill: one line naming it, exit 1, and
// every file in it keeps its bytes, whatever week is asked for.
TEST(DemoCommand, RefusesAFolderItDidNotWriteAndChangesNothing) {
  const std::map<std::string, std::string> program_folder = {{"JVDATA/TOKURACETCVNRCVN/9999.jvd", "RA mine"},
                                                             {"OPTION1N/STALLION.dat", "mine"},
                                                             {"OPTION1N/KYOSOBA.dat", "mine"},
                                                             {"JRACODE/CodeTable.csv", "mine"}};
  struct Case {
    const char* what;
    std::map<std::string, std::string> files;
    const char* options;
    const char* named;  // besides the folder
  };
  const Case cases[] = {
      {"a letter", {{"letter.txt", "dear"}}, "", ""},
      {"a program folder", program_folder, "", ""},
      {"a program folder, a later week", program_folder, " --week 2", ""},
      {"a mark naming a file outside", {{"DEMOWEEK.txt", "\"../letter.txt\"\r\n"}}, "", "DEMOWEEK.txt の 1 行目"},
  };
  for (const Case& c : cases) {
    const std::string dir = TempDir("refused");
    WriteFiles(dir, c.files);
    const auto before = FilesOf(dir);
    const testing::CliResult r = testing::RunCli("demo '" + dir + "'" + c.options);
    EXPECT_EQ(r.exit_code, 1) << c.what;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << c.what << r.out;
    EXPECT_NE(r.out.find(dir), std::string::npos) << c.what << r.out;
    EXPECT_NE(r.out.find(c.named), std::string::npos) << c.what << r.out;
    EXPECT_TRUE(FilesOf(dir) == before) << c.what;
    fs::remove_all(dir);
  }
}

TEST(DemoCommand, BadArgumentsGiveUsageAndAnUnwritableFolderAMessage) {
  const std::string cli = RADADOVUR_CLI;
  for (const char* args : {"", " --state friday", " DIR --state sunday", " DIR --size huge", " DIR --seed x", " DIR --seed",
                           " DIR OTHER"}) {
    const int rc = std::system((cli + " demo" + args + " >/dev/null 2>&1").c_str());
    EXPECT_EQ(WEXITSTATUS(rc), 2) << args;
  }
  const std::string file = TempDir("plain_file");
  ASSERT_TRUE(common::WriteFileAtomic(file, "x").ok());
  const int rc = std::system((cli + " demo " + file + "/week >/dev/null 2>&1").c_str());
  EXPECT_EQ(WEXITSTATUS(rc), 1);
  fs::remove(file);
}

}  // namespace
}  // namespace radadovur::demo
