#include "results/rate_tables.h"

#include <gtest/gtest.h>

#include "common/names.h"
#include "results/results_files.h"
#include "support/data_names.h"
#include "results/results_pass.h"
#include "results/ticket_stages.h"
#include "tickets_fixture.h"

namespace radadovur::results {
namespace {

using testing::PayoutRec;

class RateTablesTest : public testing::TicketsFolder {
 protected:
  // Race `race` of 2024-09-22 at 中山 (meeting 4, day 4) as listed race 1, with its payout record.
  void ListRace(const std::string& race) {
    state_.RaceKeyList = {"", "20240922" "06" + race};
    state_.RaceIndex = 1;
    state_.RaceCount = 1;
    PutRecords(std::string(common::names::kHrThisWeek), {PayoutRec("20240922", "06", race)});
  }
  common::StepFailures RunStage() {
    common::StepFailures failures;
    RateTablesStage(app_, state_, failures);
    return failures;
  }
};

TEST_F(RateTablesTest, BothTablesAfterRaceEightOfTheDay) {
  ListRace("08");
  // Two 本線 馬連 hits paying 1520 and 830 yen; one 3連複 伏兵 hit in 8 3連複 payouts; no 3連単
  // payout found (a count of 0), though an earlier day left a rate.
  state_.TierTally[kTierUmaren].Hits[0] = 2;
  state_.TierTally[kTierUmaren].PayTotal[0] = 1520 + 830;
  state_.TierTally[kTierUmaren].Races = 3;
  state_.TierTally[kTierSanrenpuku].Races = 8;
  state_.TierTally[kTierSanrenpuku].Hits[2] = 1;
  state_.TierTally[kTierSanrenpuku].PayTotal[2] = 5000;
  state_.TierRate[kTierSanrentan].HitRate[0] = 50;
  // The formation strategy: 単勝1 hit 3 races paying 820; 馬連F hit once paying 1520 for 48 tickets;
  // 馬単F bought nothing today, but kept a rate from another day.
  state_.PcTally[kPcTansho1].HitRaces = 3;
  state_.PcTally[kPcTansho1].PayTotal = 820;
  state_.PcTally[kPcUmarenF].HitRaces = 1;
  state_.PcTally[kPcUmarenF].PayTotal = 1520;
  state_.PcPoints[kPcUmarenF - kPcUmarenF].PointsTotal = 48;
  state_.PcTally[kPcUmatanF].ReturnRate = 80;
  state_.CurrentPayoutRecord.clear();  // the writers may have left another record here

  ASSERT_TRUE(RunStage().empty());
  EXPECT_EQ(state_.TierTally[kTierUmaren].Races, 8);
  EXPECT_EQ(*state_.TierRate[kTierUmaren].HitRate[0], 25.0);

  const std::string title = "\"2024年\",\"09月\",\"22日\",\"4回\",\"中山\",\"4日目\"";
  EXPECT_EQ(Lines("TEKICHU/20240922060404kaiteki.txt"),
            (std::vector<std::string>{title, "\"　　\",\"回収率\",\"％\",\"　　\",\"的中率\",\"％\",\"　　\"",
                                      "\"券種\",\"本線\",\"準本線\",\"伏兵\",\"本線\",\"準本線\",\"伏兵\"",
                                      "\"馬連\",48.9,0,0,25,0,0", "\"馬単表\",0,0,0,0,0,0", "\"馬単裏\",0,0,0,0,0,0",
                                      "\"３連複\",0,0,89.2,0,0,12.5", "\"３連単\",,,,,,", "\"ワイド\",0,0,0,0,0,0"}));
  EXPECT_EQ(Lines("TEKICHU/20240922060404kaitekiPC.txt"),
            (std::vector<std::string>{
                title,
                "\"券種\",\"単勝1\",\"複勝1\",\"単勝2\",\"複勝2\",\"馬連F\",\"馬連B\",\"馬単F\",\"  3連複B\",\"  3連単12\","
                "\"  3連単23\",\"  3連単13\"",
                "\"予想R数\",8,8,8,8,8,8,8,8,8,8,8", "\"的中R数\",3,0,0,0,1,0,0,0,0,0,0",
                "\"的中率\",37.5,0,0,0,12.5,0,0,0,0,0,0", "\"購入点数\",8,8,8,8,48,0,0,0,0,0,0",
                "\"回収金額\",820,0,0,0,1520,0,0,0,0,0,0", "\"回収率\",102.5,0,0,0,31.6,,,,,,"}));
  // Code page 932 and CR LF on disk.
  const std::string bytes = Bytes("TEKICHU/20240922060404kaiteki.txt");
  EXPECT_EQ(bytes.substr(0, 8), "\"2024\x94\x4e\"");
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(RateTablesTest, TheFirstRaceOfADayWithoutHits) {
  ListRace("01");
  ASSERT_TRUE(RunStage().empty());
  const auto pc = Lines("TEKICHU/20240922060404kaitekiPC.txt");
  ASSERT_EQ(pc.size(), 8u);
  EXPECT_EQ(pc[2], "\"予想R数\",1,1,1,1,1,1,1,1,1,1,1");
  EXPECT_EQ(pc[4], "\"的中率\",0,0,0,0,0,0,0,0,0,0,0");
  EXPECT_EQ(pc[7], "\"回収率\",0,0,0,0,,,,,,,");
  EXPECT_EQ(Lines("TEKICHU/20240922060404kaiteki.txt")[3], "\"馬連\",0,0,0,0,0,0");
}

TEST_F(RateTablesTest, APayoutRecordOfAnotherRaceIsAFailureAndNoTable) {
  ListRace("08");
  state_.RaceKeyList[1] = "202409220609";
  const auto failures = RunStage();
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_TRUE(failures.items[0].IsCorruption());
  EXPECT_FALSE(Exists("TEKICHU/20240922060404kaiteki.txt"));
}

// Every race's 本線 馬連 hits and pays 100 yen times its list position; the Tanfuku export then
// reloads CurrentPayoutRecord with a record of another day.
class HitWriters : public RaceWriters {
 public:
  common::Status WriteLupDocuments(const std::string&, ResultsWindowState& s) override {
    s.TierTally[kTierUmaren].Hits[0] += 1;
    s.TierTally[kTierUmaren].PayTotal[0] += 100 * s.RaceIndex;
    return {};
  }
  common::Status WriteTanfukuCsv(const std::string&, ResultsWindowState& s) override {
    s.CurrentPayoutRecord = PayoutRec("20240101", "05", "12", "01", "01");
    return {};
  }
  common::Status WriteShutsubahyoDocument(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WritePcDocuments(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteTwiDocument(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteTanfuku2Csv(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteTanshoCsv(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteYosouPage(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteWpBlocks(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WritePdfPage(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteSokudoDayCsv(const std::string&, ResultsWindowState&) override { return {}; }
};

// Two meeting days in the payout file: each day's tables count only that day's races, although
// the writers reload CurrentPayoutRecord with other records and no runner record names the race.
TEST_F(RateTablesTest, TheTalliesRestartForTheSecondMeetingDay) {
  testing::RaceSpec final_race;
  final_race.category = "7";
  PutRecords(std::string(common::names::kRaNew), {testing::RaceRec(final_race)});
  PutRecords(std::string(common::names::kHrThisWeek),
             {PayoutRec("20240921", "06", "01", "04", "03"), PayoutRec("20240921", "06", "02", "04", "03"),
              PayoutRec("20240922", "06", "01", "04", "04")});
  HitWriters writers;
  RaceStepHooks hooks;
  // Runner files (put where the entry pass puts them) make the races count as run; their records
  // are left empty.
  hooks.PutEntries = [&](const std::string&, ResultsWindowState&, common::StepFailures&, const BetweenRaces&) {
    for (const char* key : {"202409210601", "202409210602", "202409220601"})
      Put(::radadovur::testing::NameOf(RaceRunnerFileName, key), std::string(kRaceRunnerRecordLength, '\0'));
  };
  hooks.RateTables = RateTablesStage;
  testing::RecordingHost host;
  ResultsWindowState state;

  const auto outcome = RunResultsPass(common::RunStateFor(dir_), host, hooks, writers, state);
  ASSERT_TRUE(outcome.failures.empty()) << outcome.failures.Texts().front();
  // Saturday after race 02: 2 hits in 2 races paying 300 for 1200 yen.
  const auto saturday = Lines("TEKICHU/20240921060403kaiteki.txt");
  ASSERT_EQ(saturday.size(), 9u);
  EXPECT_EQ(saturday[0], "\"2024年\",\"09月\",\"21日\",\"4回\",\"中山\",\"3日目\"");
  EXPECT_EQ(saturday[3], "\"馬連\",25,0,0,100,0,0");
  // Sunday after race 01: 1 hit in 1 race paying 300 for 600 yen.
  const auto sunday = Lines("TEKICHU/20240922060404kaiteki.txt");
  ASSERT_EQ(sunday.size(), 9u);
  EXPECT_EQ(sunday[3], "\"馬連\",50,0,0,100,0,0");
  EXPECT_EQ(Lines("TEKICHU/20240922060404kaitekiPC.txt")[2], "\"予想R数\",1,1,1,1,1,1,1,1,1,1,1");
  EXPECT_FALSE(Exists("TEKICHU/20240101050101kaiteki.txt"));
}

}  // namespace
}  // namespace radadovur::results
