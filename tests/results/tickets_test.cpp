#include <gtest/gtest.h>

#include <filesystem>

#include "results/bet_lists.h"
#include "results/pair_tickets.h"
#include "results/results_files.h"
#include "results/ticket_stages.h"
#include "tickets_fixture.h"
#include "support/data_names.h"

namespace radadovur::results {
namespace {

constexpr const char* kKey = "202409220611";  // race 11 at 中山 on 2024-09-22

// CR LF after every line.
std::string Crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

class TicketsTest : public testing::TicketsFolder {
 protected:
  // The pair stage and the bet-list stage as the pass runs them; the failures of both.
  common::StepFailures RunTicketStages() {
    common::StepFailures failures;
    PairTicketsStage(app_, state_, failures);
    BetListsAndSortFilesStage(app_, state_, failures);
    return failures;
  }
  std::vector<std::string> List(int from, int to, const std::vector<std::string>& v) const {
    return std::vector<std::string>(v.begin() + from, v.begin() + to + 1);
  }
};

TEST_F(TicketsTest, ThreeRunnersOfTheWorkedExample) {
  SetRace(kKey, {60, 62, 61});
  ASSERT_TRUE(RunTicketStages().empty());
  EXPECT_EQ(state_.PairCount, 3);
  EXPECT_EQ(List(1, 3, state_.UmarenKaime), (std::vector<std::string>{"0203", "0102", "0103"}));
  EXPECT_EQ(List(1, 3, state_.UmatanKaime), (std::vector<std::string>{"0203", "0201", "0301"}));
  EXPECT_EQ(state_.PairScore[1], 123.0f);
  EXPECT_EQ(state_.PairScore[3], 121.0f);
  // The sums stay in generation order: 0102, 0103, 0203.
  EXPECT_EQ(state_.PairSpeedSum[1], 122.0f);
  EXPECT_EQ(state_.PairSpeedSum[2], 121.0f);
  EXPECT_EQ(state_.PairSpeedSum[3], 123.0f);
  EXPECT_EQ(state_.TripleCount, 1);
  EXPECT_EQ(state_.SanrentanKaime[1], "020301");
  EXPECT_EQ(state_.SanrenpukuKaime[1], "010203");
  EXPECT_EQ(state_.TripleScore[1], 183.0f);
  EXPECT_EQ(state_.TrioHorseA + state_.TrioHorseB + state_.TrioHorseC, "020301");
}

TEST_F(TicketsTest, FourRunnersGiveTheseFilesByteForByte) {
  SetRace(kKey, {60.5f, 61.25f, 59.5f, 62});
  Put(::radadovur::testing::NameOf(KaimeFileName, kKey), "runner lines\r\n");
  ASSERT_TRUE(RunTicketStages().empty());

  const std::string k = "\"202409220611\",";
  EXPECT_EQ(Bytes(::radadovur::testing::NameOf(KaimeFileName, kKey)),
            "runner lines\r\n" +
                Crlf({k + "\"Umaren\",\"0102\",121.75,121.75,0", k + "\"Umaren\",\"0103\",120,120,0",
                      k + "\"Umaren\",\"0104\",122.5,122.5,0", k + "\"Umaren\",\"0203\",120.75,120.75,0",
                      k + "\"Umaren\",\"0204\",123.25,123.25,0", k + "\"Umaren\",\"0304\",121.5,121.5,0",
                      k + "\"Sanrenpuku\",\"010203\",181.25,181.25,0", k + "\"Sanrenpuku\",\"010204\",183.75,183.75,0",
                      k + "\"Sanrenpuku\",\"010304\",182,182,0", k + "\"Sanrenpuku\",\"020304\",182.75,182.75,0"}));
  EXPECT_EQ(Bytes(::radadovur::testing::NameOf(UmarenSortFileName, kKey)),
            Crlf({k + "\"Umaren\",\"0204\",123.25", k + "\"Umaren\",\"0104\",122.5", k + "\"Umaren\",\"0102\",121.75",
                  k + "\"Umaren\",\"0304\",121.5", k + "\"Umaren\",\"0203\",120.75", k + "\"Umaren\",\"0103\",120"}));
  EXPECT_EQ(Bytes(::radadovur::testing::NameOf(UmatanSortFileName, kKey)),
            Crlf({k + "\"Umatan\",\"0402\",123.25", k + "\"Umatan\",\"0401\",122.5", k + "\"Umatan\",\"0201\",121.75",
                  k + "\"Umatan\",\"0403\",121.5", k + "\"Umatan\",\"0203\",120.75", k + "\"Umatan\",\"0103\",120"}));
  EXPECT_EQ(Bytes(::radadovur::testing::NameOf(SanrenSortFileName, kKey)),
            Crlf({k + "\"Sanrenpuke\",\"010204\",183.75", k + "\"Sanrenpuke\",\"020304\",182.75",
                  k + "\"Sanrenpuke\",\"010304\",182", k + "\"Sanrenpuke\",\"010203\",181.25"}));
  EXPECT_EQ(Bytes(::radadovur::testing::NameOf(SanrentanSortFileName, kKey)),
            Crlf({k + "\"sanrentan\",\"040201\",183.75", k + "\"sanrentan\",\"040203\",182.75",
                  k + "\"sanrentan\",\"040103\",182", k + "\"sanrentan\",\"020103\",181.25"}));

  // The bet lists: file names in UTF-8, race date, course, race, code, combination, 100.
  const std::string h = "20240922,06,11,";
  EXPECT_EQ(Bytes("UMAREN/240922中山11R.csv"),
            Crlf({h + "04,02-04,100", h + "04,01-04,100", h + "04,01-02,100", h + "04,03-04,100", h + "04,02-03,100",
                  h + "04,01-03,100"}));
  EXPECT_EQ(Bytes("WIDE/240922中山11R.csv"), Crlf({h + "05,02-04,100", h + "05,01-04,100", h + "05,01-02,100"}));
  EXPECT_EQ(Bytes("UMATAN/240922中山11R.csv"),
            Crlf({h + "06,04-02,100", h + "06,02-04,100", h + "06,04-01,100", h + "06,01-04,100", h + "06,02-01,100",
                  h + "06,01-02,100", h + "06,04-03,100", h + "06,03-04,100", h + "06,02-03,100", h + "06,03-02,100",
                  h + "06,01-03,100", h + "06,03-01,100"}));
  EXPECT_EQ(Bytes("SANRENPUKU/240922中山11R.csv"),
            Crlf({h + "07,01-02-04,100", h + "07,02-03-04,100", h + "07,01-03-04,100", h + "07,01-02-03,100"}));
  EXPECT_EQ(Bytes("SANRENTAN/240922中山11R.csv"),
            Crlf({h + "08,04-02-01,100", h + "08,04-01-02,100", h + "08,02-04-01,100", h + "08,02-01-04,100",
                  h + "08,01-04-02,100", h + "08,01-02-04,100",  //
                  h + "08,04-02-03,100", h + "08,04-03-02,100", h + "08,02-04-03,100", h + "08,02-03-04,100",
                  h + "08,03-04-02,100", h + "08,03-02-04,100",  //
                  h + "08,04-01-03,100", h + "08,04-03-01,100", h + "08,01-04-03,100", h + "08,01-03-04,100",
                  h + "08,03-04-01,100", h + "08,03-01-04,100",  //
                  h + "08,02-01-03,100", h + "08,02-03-01,100", h + "08,01-02-03,100", h + "08,01-03-02,100",
                  h + "08,03-02-01,100", h + "08,03-01-02,100"}));

  // Running the race again rewrites the same ticket files and bet lists.
  const std::string umatan = Bytes("UMATAN/240922中山11R.csv");
  const std::string sanrentan = Bytes(::radadovur::testing::NameOf(SanrentanSortFileName, kKey));
  ASSERT_TRUE(RunTicketStages().empty());
  EXPECT_EQ(Bytes("UMATAN/240922中山11R.csv"), umatan);
  EXPECT_EQ(Bytes(::radadovur::testing::NameOf(SanrentanSortFileName, kKey)), sanrentan);
}

TEST_F(TicketsTest, LineCountsFollowTheRunnerCount) {
  struct Case {
    int runners;
    std::vector<size_t> bet_lines;  // UMAREN, WIDE, UMATAN, SANRENPUKU, SANRENTAN
    size_t pairs, triples;
  };
  const std::vector<Case> cases = {
      {18, {7, 3, 14, 10, 60}, 153, 816}, {4, {6, 3, 12, 4, 24}, 6, 4}, {2, {1, 1, 2, 0, 0}, 1, 0},
      {1, {0, 0, 0, 0, 0}, 0, 0},         {0, {0, 0, 0, 0, 0}, 0, 0},
  };
  for (const auto& c : cases) {
    std::vector<float> speeds;
    for (int i = 0; i < c.runners; ++i) speeds.push_back(55.0f + static_cast<float>((i * 7) % 11) * 0.37f);
    SetRace(kKey, speeds);
    ASSERT_TRUE(RunTicketStages().empty()) << c.runners;
    std::vector<size_t> lines;
    for (const char* folder : {"UMAREN", "WIDE", "UMATAN", "SANRENPUKU", "SANRENTAN"})
      lines.push_back(common::SplitLines(Bytes(std::string(folder) + "/240922中山11R.csv")).size());
    EXPECT_EQ(lines, c.bet_lines) << c.runners;
    EXPECT_EQ(common::SplitLines(Bytes(::radadovur::testing::NameOf(UmarenSortFileName, kKey))).size(), c.pairs) << c.runners;
    EXPECT_EQ(common::SplitLines(Bytes(::radadovur::testing::NameOf(UmatanSortFileName, kKey))).size(), c.pairs) << c.runners;
    EXPECT_EQ(common::SplitLines(Bytes(::radadovur::testing::NameOf(SanrenSortFileName, kKey))).size(), c.triples) << c.runners;
    EXPECT_EQ(common::SplitLines(Bytes(::radadovur::testing::NameOf(SanrentanSortFileName, kKey))).size(), c.triples) << c.runners;
    EXPECT_EQ(state_.PairCount, static_cast<int32_t>(c.pairs));
    EXPECT_EQ(state_.TripleCount, static_cast<int32_t>(c.triples));
  }
}

TEST_F(TicketsTest, ScoresAreSinglePrecisionSumsInTheOrderWritten) {
  // At 2^24 a float steps by 2: the order of the additions shows in the result.
  SetRace(kKey, {16777216.0f, 1, 0}, {1, 2, 0});
  ASSERT_TRUE(RunTicketStages().empty());
  // Pair 0102: ((C1 + A1) + C2) + A2 = 16777218, while (C1 + C2) + (A1 + A2) would give 16777220.
  ASSERT_EQ(state_.UmarenKaime[1], "0102");
  EXPECT_EQ(state_.PairScore[1], 16777218.0f);
  EXPECT_EQ(state_.PairSpeedSum[1], 16777216.0f);
  EXPECT_EQ(state_.PairAdjustSum[1], 3.0f);
  // The triple: (C1 + C2 + C3) + (A1 + A2 + A3).
  EXPECT_EQ(state_.TripleSpeedSum[1], 16777216.0f);
  EXPECT_EQ(state_.TripleScore[1], 16777220.0f);
}

TEST_F(TicketsTest, EqualSpeedsKeepTheLowerNumberFirstAndEqualScoresFollowTheSort) {
  SetRace(kKey, {60, 61, 61});
  ASSERT_TRUE(RunTicketStages().empty());
  // 0102 and 0103 score alike; the partition sort exchanges them.
  EXPECT_EQ(List(1, 3, state_.UmarenKaime), (std::vector<std::string>{"0203", "0103", "0102"}));
  EXPECT_EQ(List(1, 3, state_.UmatanKaime), (std::vector<std::string>{"0203", "0301", "0201"}));
  EXPECT_EQ(state_.SanrentanKaime[1], "020301");
}

TEST_F(TicketsTest, BetListNamesTakeTheCourseCodeWhenTheTableLacksTheCourse) {
  const struct {
    BetKind kind;
    const char* key;
    const char* name;
  } cases[] = {
      {BetKind::kUmaren, "202409220611", "UMAREN/240922中山11R.csv"},
      {BetKind::kSanrentan, "202408120501", "SANRENTAN/240812東京01R.csv"},
      {BetKind::kWide, "202408120701", "WIDE/2408120701R.csv"},
  };
  for (const auto& c : cases) EXPECT_EQ(::radadovur::testing::NameOf(BetListFileName, c.kind, c.key, state_.CodeTable), c.name);
}

TEST_F(TicketsTest, FilesThatCannotBeWrittenAreEachNamedAndTheListsStand) {
  SetRace(kKey, {60.5f, 61.25f, 59.5f, 62});
  for (const char* folder : {"UMAREN", "SANRENTAN"}) std::filesystem::remove(app_ + folder);
  const auto failures = RunTicketStages();
  const auto texts = failures.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(texts[0].find("UMAREN/240922中山11R.csv"), std::string::npos) << texts[0];
  EXPECT_NE(texts[1].find("SANRENTAN/240922中山11R.csv"), std::string::npos) << texts[1];
  EXPECT_EQ(state_.SanrentanKaime[1], "040201");
  EXPECT_EQ(common::SplitLines(Bytes("SANRENPUKU/240922中山11R.csv")).size(), 4u);
}

TEST_F(TicketsTest, SpeedsShortOfTheRunnerCountAreOneFailureAndNoTickets) {
  SetRace(kKey, {60, 61, 62});
  state_.PairCount = 3;  // left from an earlier race
  state_.PredSpeed.resize(3);
  const auto failures = RunTicketStages();
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_TRUE(failures.items[0].IsInvalidArgument());
  EXPECT_EQ(state_.PairCount, 0);
  EXPECT_FALSE(Exists(::radadovur::testing::NameOf(UmarenSortFileName, kKey)));
}

}  // namespace
}  // namespace radadovur::results
