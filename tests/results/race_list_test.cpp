#include "results/race_list.h"

#include <filesystem>

#include "jvdata/race_key.h"
#include "common/names.h"
#include "results_fixture.h"

namespace radadovur::results {
namespace {

using testing::PayoutRec;
using testing::RaceRec;
using testing::RaceSpec;

const std::string kNine(9, ' ');
const std::string kTen(10, ' ');

class RaceListTest : public testing::ResultsFolder {
 protected:
  void SetUp() override {
    ResultsFolder::SetUp();
    Put("JRACODE/CodeTable.csv", testing::SmallCodeTable());
    ASSERT_TRUE(LoadCodeTable(app_, state_.CodeTable).ok());
  }
  std::vector<std::string> Build() {
    common::StepFailures failures;
    auto items = BuildRaceList(app_, state_, failures);
    LoadRaceTable(app_, state_, failures);
    EXPECT_TRUE(failures.empty()) << failures.Texts().front();
    return items;
  }
  std::string Column(int row, int column) const { return common::DecodeCp932Lossy(state_.RaceTable.at(row)[column]); }
  std::string Detail(const RaceSpec& spec) const { return common::DecodeCp932Lossy(RaceDetailLine(RaceRec(spec), state_.CodeTable)); }

  ResultsWindowState state_;
};

TEST_F(RaceListTest, DetailLineHasTheTwelveTextsOfTheRace) {
  RaceSpec spec;
  spec.name = "産経賞オールカマー　　　　　　　　　　　　　　　　　　　　　";
  EXPECT_EQ(Detail(spec),
            "\"202409220611\",\"11\",\"1540\",\"11\",\"産経賞オールカマー　　　\",\"サラ系３歳以上\",\"オープン\","
            "\"Ｇ１レー\",\"芝\",\"2500\",\"SD\",\"晴良\"\r\n");

  struct NameCase {
    std::string name, expected;
  } names[] = {
      {"一二三四五六七八九十壱弐参四", "一二三四五六七八九十壱弐"},  // 14 characters keep 12
      {std::string(), std::string()},                                // blanks stay blanks
      {"　　　　　　　　　　　　　　　", ""},                      // 12 ideographic spaces: no name
  };
  for (const auto& c : names) {
    spec.name = c.name;
    const std::string line = Detail(spec);
    const std::string expected = c.name.empty() ? std::string(12, ' ') : c.expected;
    EXPECT_NE(line.find(",\"11\",\"" + expected + "\","), std::string::npos) << line;
  }
}

TEST_F(RaceListTest, GoingFollowsTheTrack) {
  struct Case {
    std::string track, turf, dirt, expected;
  } cases[] = {
      {"17", "1", "2", "晴良"},   // turf
      {"24", "1", "2", "晴稍重"}, // dirt
      {"29", "1", "2", "晴稍重"},
      {"55", "1", "2", "晴良"},   // jump races: the turf going
      {"10", "9", "2", "晴"},     // a going the table lacks: the weather alone
  };
  for (const auto& c : cases) {
    RaceSpec spec;
    spec.track = c.track;
    spec.turf = c.turf;
    spec.dirt = c.dirt;
    const std::string line = Detail(spec);
    EXPECT_EQ(line.substr(line.rfind(",\"") + 2), c.expected + "\"\r\n") << c.track;
  }
}

TEST_F(RaceListTest, ListBoxItemEndsInTheRaceKeyAfterNineOrTenSpaces) {
  const std::string race = RaceRec(RaceSpec{});
  EXPECT_EQ(RaceListItem(race, state_.CodeTable, ListSource::kRaceRecords),
            "2024年09月22日06中山04回04日11R" + kNine + "202409220611");
  EXPECT_EQ(RaceListItem(PayoutRec("20240922", "06", "11"), state_.CodeTable, ListSource::kPayoutRecords),
            "2024年09月22日06中山04回04日11R" + kTen + "202409220611");
}

TEST_F(RaceListTest, BeforeTheResultsListsEveryRaceRecordNotYetFinal) {
  auto race = [](const std::string& category, const std::string& number, const std::string& name) {
    RaceSpec s;
    s.category = category;
    s.race = number;
    s.name = name;
    return RaceRec(s);
  };
  PutRecords(std::string(common::names::kRaNew), {race("1", "01", "r1"), race("2", "02", "r2"), race("7", "03", "r3"),
                                          race("9", "04", "r4"), race("6", "05", "r5"), race("3", "02", "r6")});
  Put("RACE/202409220602.dat", "old runners");
  Put("RACETHISWEEKN.dat", "\"old\"\r\n");

  const auto items = Build();
  ASSERT_EQ(state_.RaceCount, 3);
  EXPECT_EQ(state_.RaceKeyList, (std::vector<std::string>{"", "202409220602", "202409220605", "202409220602"}));
  EXPECT_EQ(items, (std::vector<std::string>{"2024年09月22日06中山04回04日02R" + kNine + "202409220602",
                                             "2024年09月22日06中山04回04日05R" + kNine + "202409220605",
                                             "2024年09月22日06中山04回04日02R" + kNine + "202409220602"}));
  EXPECT_EQ(Text("RACETHISWEEKN.dat"), "\"202409220602\"\r\n\"202409220605\"\r\n\"202409220602\"\r\n");
  EXPECT_EQ(Text("SOKUDO/RACEID.txt"), "2024092206040402\r\n2024092206040405\r\n2024092206040402\r\n");
  // The runner files are the entry pass's.
  EXPECT_EQ(Text("RACE/202409220602.dat"), "old runners");
  EXPECT_FALSE(Exists("RACE/202409220605.dat"));
  // A race listed twice takes its detail lines in list order.
  EXPECT_EQ(Column(1, kColRaceName).substr(0, 2), "r2");
  EXPECT_EQ(Column(2, kColRaceName).substr(0, 2), "r5");
  EXPECT_EQ(Column(3, kColRaceName).substr(0, 2), "r6");
  EXPECT_EQ(Column(3, kColRaceNumber), "2");
  EXPECT_EQ(Column(3, kColSdValue), "SD");
}

TEST_F(RaceListTest, ResultsListFollowsThePayoutsAndTheTableFollowsTheKeys) {
  state_.ResultsFinal = 1;
  auto race = [](const std::string& number, const std::string& category) {
    RaceSpec s;
    s.race = number;
    s.category = category;
    s.name = "race" + number;
    return RaceRec(s);
  };
  // The race file in another order than the payouts; 12 has no race record; 11 paid twice.
  PutRecords(std::string(common::names::kRaNew), {race("01", "7"), race("11", "1")});
  PutRecords(std::string(common::names::kHrThisWeek),
             {PayoutRec("20240922", "06", "11"), PayoutRec("20240922", "06", "01"), PayoutRec("20240922", "06", "12"),
              PayoutRec("20240922", "06", "11")});

  const auto items = Build();
  ASSERT_EQ(state_.RaceCount, 4);
  EXPECT_EQ(items[0], "2024年09月22日06中山04回04日11R" + kTen + "202409220611");
  EXPECT_EQ(Text("RACETHISWEEKN.dat"),
            "\"202409220611\"\r\n\"202409220601\"\r\n\"202409220612\"\r\n\"202409220611\"\r\n");
  // The race ids and details follow the race file: one line per race record and listing.
  EXPECT_EQ(Text("SOKUDO/RACEID.txt"), "2024092206040401\r\n2024092206040411\r\n2024092206040411\r\n");
  EXPECT_EQ(Text("RACETHISWEEKNSYOSAI.dat").substr(0, 15), "\"202409220601\",");
  // Every row describes its own listed race.
  EXPECT_EQ(Column(1, kColRaceKey), "202409220611");
  EXPECT_EQ(Column(1, kColRaceName).substr(0, 6), "race11");
  EXPECT_EQ(Column(2, kColRaceName).substr(0, 6), "race01");
  EXPECT_EQ(Column(3, kColRaceKey), "");
  EXPECT_EQ(Column(4, kColRaceName).substr(0, 6), "race11");
}

TEST_F(RaceListTest, TheTableHasARowForEveryListedRace) {
  // Three days at three racecourses: 108 races.
  std::vector<std::string> races;
  for (const char* date : {"20240921", "20240922", "20240923"})
    for (const char* venue : {"05", "06", "09"})
      for (int r = 1; r <= 12; ++r) {
        RaceSpec s;
        s.date = date;
        s.venue = venue;
        s.race = (r < 10 ? "0" : "") + std::to_string(r);
        races.push_back(RaceRec(s));
      }
  PutRecords(std::string(common::names::kRaNew), races);
  Build();
  ASSERT_EQ(state_.RaceCount, 108);
  EXPECT_EQ(Column(97, kColRaceKey), "202409230901");
  EXPECT_EQ(Column(108, kColRaceKey), "202409230912");
}

TEST_F(RaceListTest, NoRecordsListNothing) {
  const auto before = Build();
  EXPECT_TRUE(before.empty());
  state_.ResultsFinal = 1;
  EXPECT_TRUE(Build().empty());
  EXPECT_EQ(state_.RaceCount, 0);
  EXPECT_EQ(Text("RACETHISWEEKN.dat"), "");
}

// A list made without the race or payout records would replace the earlier one with a part of
// it: the list files keep their bytes and the failure names the records.
TEST_F(RaceListTest, UnreadableRecordsLeaveTheListFilesAsTheyWere) {
  for (const bool final : {false, true}) {
    SCOPED_TRACE(final ? "results" : "before the results");
    state_.ResultsFinal = final ? 1 : 0;
    PutRecords(std::string(common::names::kRaNew), {RaceRec(RaceSpec{})});
    PutRecords(std::string(common::names::kHrThisWeek), {PayoutRec("20240922", "06", "11")});
    const std::string unreadable(final ? common::names::kHrThisWeek : common::names::kRaNew);
    std::filesystem::remove(app_ + unreadable);
    std::filesystem::create_directory(app_ + unreadable);
    for (const char* name : {"RACETHISWEEKN.dat", "RACETHISWEEKNSYOSAI.dat", "SOKUDO/RACEID.txt"}) Put(name, "earlier list");

    common::StepFailures failures;
    BuildRaceList(app_, state_, failures);
    ASSERT_FALSE(failures.empty());
    EXPECT_NE(failures.Texts()[0].find(unreadable), std::string::npos) << failures.Texts()[0];
    for (const char* name : {"RACETHISWEEKN.dat", "RACETHISWEEKNSYOSAI.dat", "SOKUDO/RACEID.txt"})
      EXPECT_EQ(Text(name), "earlier list") << name;
    std::filesystem::remove(app_ + unreadable);
  }
}

}  // namespace
}  // namespace radadovur::results
