// Choosing a race: the description, the race list file, where the payouts come from, the ticket
// grids of the chosen race, ranks that never carry over, and the past-runs file of a name cell.
#include "viewer/race_viewer.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "viewer/viewer_fixture.h"

namespace radadovur::viewer {
namespace {

namespace hr = jvdata::hr;
using testing::PayoutRecord;
using testing::RaceRecord;
using testing::Runner;

const std::string kA = "202409220611";
const std::string kB = "202409220612";
const std::string kItemA = "2024年09月22日06中山04回04日11R         " + kA;
const std::string kItemB = "2024年09月22日06中山04回04日12R         " + kB;

class RaceViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.RaceTable.assign(3, results::RaceTableRow{});
    state.RaceTable[1] = {kA, "11", "1540", "11", common::ToCp932("テスト記念"), common::ToCp932("サラ系３歳以上"),
                          common::ToCp932("オープン"), "G1", common::ToCp932("芝"), "2000", "12",
                          common::ToCp932("晴良")};
    folder.Tickets(kA, "UMARENSORT.dat", "Umaren", {"0307", "0103"});
    folder.Tickets(kB, "UMARENSORT.dat", "Umaren", {"0102"});
  }
  common::StepFailures Choose(const std::string& item, int row) {
    return ChooseRace(folder.app(), item, row, state, view);
  }
  const Grid& Umaren() const { return view.tickets.grids[kUmaren]; }

  testing::ViewerFolder folder;
  results::ResultsWindowState state;
  RaceView view;
};

TEST_F(RaceViewerTest, StoredPayoutsOnceTheRaceCardsAreGone) {
  folder.Write("RATHISWEEKNNEW.dat", RaceRecord(kA, "7") + RaceRecord(kB, "7"));
  folder.Write("RACETHISWEEKN.dat", "\"old\"\r\n");
  folder.Write("HRTHISWEEKN.dat", PayoutRecord(kB, {}) + PayoutRecord(kA, {{hr::UmarenPayouts_Combination, "0307", 0},
                                                                          {hr::UmarenPayouts_Payout, "000001230", 0}}));
  EXPECT_TRUE(Choose(kItemA, 1).empty());

  EXPECT_EQ(view.text1, kItemA + "テスト記念サラ系３歳以上オープンG1芝2000m SD=12 晴良");
  EXPECT_EQ(view.text1_colour, Colour::kLightGreen);
  EXPECT_EQ(view.payout.Text(4, 1), "03-07");
  EXPECT_EQ(view.payout.Text(4, 2), "1230");
  EXPECT_EQ(Umaren().Text(1, 1), "03-07");
  EXPECT_EQ(Umaren().ColourAt(1, 1), Colour::kLightGreen);
  EXPECT_EQ(common::ReadWholeFile(folder.app() + "RACETHISWEEKN.dat"), "");  // no race-card record
  EXPECT_EQ(state.CurrentPayoutRecord.substr(11, 16), kA.substr(0, 10) + "0404" + kA.substr(10));

  // A race without a payout record and without a race table row: empty payout rows, this race's
  // tickets without hits, an empty description tail.
  folder.Write("HRTHISWEEKN.dat", PayoutRecord(kA, {{hr::UmarenPayouts_Combination, "0307", 0},
                                                    {hr::UmarenPayouts_Payout, "000001230", 0}}));
  EXPECT_TRUE(Choose(kItemB, 5).empty());
  EXPECT_EQ(view.text1, kItemB + "m SD= ");
  EXPECT_EQ(view.payout.Text(4, 1), "");
  EXPECT_EQ(view.payout.Text(4, 0), "馬連");
  EXPECT_EQ(Umaren().Text(1, 1), "01-02");
  EXPECT_EQ(Umaren().Text(2, 1), "");
  EXPECT_EQ(Umaren().ColourAt(1, 1), Colour::kWhite);
}

TEST_F(RaceViewerTest, RealtimePayoutsWhileRaceCardsRemain) {
  folder.Write("RATHISWEEKNNEW.dat", RaceRecord(kA, "2") + RaceRecord(kB, "2") + RaceRecord(kA, "7"));
  // The stored record of the race is not used while the realtime file holds the race.
  folder.Write("HRTHISWEEKN.dat", PayoutRecord(kA, {{hr::UmarenPayouts_Combination, "0103", 0},
                                                    {hr::UmarenPayouts_Payout, "000000999", 0}}));
  folder.Write("HRRIALTIME.dat",
               PayoutRecord(kA, {{hr::TanshoPayouts_Combination, "03", 0}, {hr::TanshoPayouts_Payout, "000000300", 0}}) +
                   PayoutRecord(kB, {}) +
                   PayoutRecord(kA, {{hr::TanshoPayouts_Combination, "07", 0},
                                     {hr::TanshoPayouts_Payout, "000000700", 0},
                                     {hr::WidePayouts_Combination, "0307", 0},
                                     {hr::WidePayouts_Payout, "000000200", 0}}));
  EXPECT_TRUE(Choose(kItemA, 1).empty());
  EXPECT_EQ(view.text1_colour, Colour::kLightYellow);
  EXPECT_EQ(view.payout.Text(1, 1), "07");  // the later record stays on display
  EXPECT_EQ(view.payout.Text(4, 1), "");
  EXPECT_EQ(Umaren().ColourAt(1, 1), Colour::kLightYellow);
  EXPECT_EQ(Umaren().ColourAt(2, 1), Colour::kWhite);
  EXPECT_EQ(common::ReadWholeFile(folder.app() + "RACETHISWEEKN.dat"), "\"" + kA + "\"\r\n\"" + kB + "\"\r\n");

  // Without a realtime record: the stored payouts, Text1 light green.
  folder.Write("HRRIALTIME.dat", PayoutRecord(kB, {}));
  Choose(kItemA, 1);
  EXPECT_EQ(view.text1_colour, Colour::kLightGreen);
  EXPECT_EQ(view.payout.Text(4, 1), "01-03");
  EXPECT_EQ(Umaren().ColourAt(2, 1), Colour::kLightGreen);
}

TEST_F(RaceViewerTest, RunnersRanksAndAFieldAboveEighteen) {
  folder.Ranks(kA, {" 2", " 1", " 3"});
  std::vector<Runner> runners(3);
  for (int i = 0; i < 3; ++i) runners[static_cast<size_t>(i)].umaban = testing::TwoDigit(i + 1);
  folder.Runners(kA, runners);
  Choose(kItemA, 1);
  EXPECT_EQ(state.RunnerCount, 3);
  EXPECT_EQ(view.detail1.Text(0, 0), kA);
  EXPECT_EQ(view.detail1.Text(2, 2), "01");
  EXPECT_EQ(view.detail1.Text(3, 2), "03");
  EXPECT_EQ(view.detail2.Text(3, 5).substr(0, 18), "テストホース");
  EXPECT_EQ(state.ReliabilityMarks.size(), 4u);
  EXPECT_EQ(state.ReliabilityMarks[3][0], "A");

  // The next race's sort file names two horses: horse 3 has no rank, not the earlier race's.
  folder.Ranks(kB, {" 1", " 2"});
  for (auto& r : runners) r.key = kB;
  folder.Runners(kB, runners);
  Choose(kItemB, 2);
  EXPECT_EQ(state.PredRank[3], "");
  EXPECT_EQ(view.detail1.Text(3, 2), "");
  EXPECT_EQ(view.detail1.Text(3, 4), "");
  EXPECT_EQ(view.detail1.Text(0, 0), kB);

  // Nineteen runner records: eighteen rows shown; no sort file: no ranks. A race with fewer
  // runners after it leaves the rows below its last runner empty and white.
  std::vector<Runner> field(19);
  folder.Runners(kA, field);
  std::filesystem::remove(folder.app() + "KAIME/" + kA + "SORT.dat");
  Choose(kItemA, 1);
  EXPECT_EQ(state.RunnerCount, 19);
  EXPECT_EQ(view.detail1.Text(18, 1), "03");
  EXPECT_EQ(view.detail1.Text(18, 2), "");
  Choose(kItemB, 2);
  for (int r = 4; r <= 18; ++r) {
    EXPECT_EQ(view.detail1.Text(r, 1), "") << r;
    EXPECT_EQ(view.detail2.ColourAt(r, 11), Colour::kWhite) << r;
  }

  // A race without a runner file: both grids empty below their headings.
  std::filesystem::remove(folder.app() + "RACE/" + kB + ".dat");
  Choose(kItemB, 2);
  EXPECT_EQ(state.RunnerCount, 0);
  EXPECT_EQ(view.detail1.Text(1, 6), "");
  EXPECT_EQ(view.detail1.Text(0, 0), kB);
}

TEST_F(RaceViewerTest, OnlyANameCellOfTheStoreNamesAPastRunsFile) {
  folder.Write("UMAGOTOEXTHISWEEKN/2021100001EX.dat", std::string(2603, ' '));
  std::filesystem::create_directories(folder.app() + "UMAGOTOEXTHISWEEKN/2021100003EX.dat");
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"テストホース            2021100001EX.dat", "UMAGOTOEXTHISWEEKN/2021100001EX.dat"},
      {"テストホース            2021100002EX.dat", std::nullopt},  // no such file: none is made
      {"テストホース            2021100003EX.dat", std::nullopt},  // a folder
      {"../../../../etc/passwdEX.dat", std::nullopt},
      {"2021100001EX.dat/../x", std::nullopt},
      {"1.36.00", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [cell, file] : cases) EXPECT_EQ(PastRunsFile(folder.app(), cell), file) << cell;
  EXPECT_FALSE(std::filesystem::exists(folder.app() + "UMAGOTOEXTHISWEEKN/2021100002EX.dat"));
}

TEST_F(RaceViewerTest, ADamagedStoreFileIsReportedAndTheRestShown) {
  folder.Write("RATHISWEEKNNEW.dat", "garbage");
  folder.Write("RACETHISWEEKN.dat", "\"kept\"\r\n");
  const common::StepFailures failures = Choose(kItemA, 1);
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_NE(failures.items[0].ToString().find("RATHISWEEKNNEW.dat"), std::string::npos);
  EXPECT_EQ(common::ReadWholeFile(folder.app() + "RACETHISWEEKN.dat"), "\"kept\"\r\n");
  EXPECT_EQ(Umaren().Text(1, 1), "03-07");
}

}  // namespace
}  // namespace radadovur::viewer
