#include "results/ranking.h"

#include "results/results_files.h"
#include "results/runner_hooks.h"
#include "results_fixture.h"
#include "runner_fixture.h"
#include "support/data_names.h"

namespace radadovur::results {
namespace {

using testing::RunnerRec;
using testing::RunnerSpec;

constexpr const char* kKey = "202409220611";

// Sorts keys 1..n (index 0 unused) with items "01".."n" and returns the items in their new order.
std::vector<std::string> Sorted(const std::vector<float>& keys) {
  std::vector<float> k = {0};
  std::vector<std::string> items = {""};
  for (size_t i = 0; i < keys.size(); ++i) {
    k.push_back(keys[i]);
    items.push_back(std::to_string(101 + i).substr(1));
  }
  SortKeysDescending(k, items, 1, static_cast<int>(keys.size()));
  for (size_t i = 2; i < k.size(); ++i) EXPECT_GE(k[i - 1], k[i]);
  return {items.begin() + 1, items.end()};
}

TEST(SortKeysDescending, ExchangesDecideTheOrderOfEqualKeys) {
  using Items = std::vector<std::string>;
  EXPECT_EQ(Sorted({61.5f, 62.0f, 60.1f}), (Items{"02", "01", "03"}));
  // Two equal keys: both scans stop at once and the two are exchanged.
  EXPECT_EQ(Sorted({60, 60}), (Items{"02", "01"}));
  EXPECT_EQ(Sorted({5, 5, 5}), (Items{"03", "02", "01"}));
  EXPECT_EQ(Sorted({60, 62, 60, 62}), (Items{"04", "02", "01", "03"}));
  EXPECT_EQ(Sorted({60, 62, 60, 58.5f}), (Items{"02", "03", "01", "04"}));
  EXPECT_EQ(Sorted({1, 2, 3, 4, 5, 6, 7}), (Items{"07", "06", "05", "04", "03", "02", "01"}));
  EXPECT_EQ(Sorted({7}), (Items{"01"}));

  std::vector<float> keys = {0, 1, 2};
  std::vector<std::string> items = {"", "a", "b"};
  SortKeysDescending(keys, items, 1, 0);  // no runners: nothing moves
  EXPECT_EQ(items, (Items{"", "a", "b"}));
}

class RankingTest : public testing::ResultsFolder {
 protected:
  void SetUp() override {
    ResultsFolder::SetUp();
    Put("JRACODE/CodeTable.csv", testing::SmallCodeTable() + testing::CodeRow({"2202", "1", "牡馬"}) +
                                     testing::CodeRow({"2202", "2", "牝馬"}));
    ASSERT_TRUE(LoadCodeTable(app_, state_.CodeTable).ok());
    state_.RaceCount = 1;
    state_.RaceIndex = 1;
    state_.RaceKeyList = {"", kKey};
    state_.RaceTable.resize(2);
  }
  void Race(const std::vector<RunnerSpec>& runners) {
    std::string file;
    for (const auto& r : runners) file += RunnerRec(r);
    Put(::radadovur::testing::NameOf(RaceRunnerFileName, kKey), file);
    Put(::radadovur::testing::NameOf(KaimeFileName, kKey), "");
    state_.RunnerCount = static_cast<int32_t>(runners.size());
    RunnerFiguresAndRanking(app_, state_, failures_);
  }

  ResultsWindowState state_;
  common::StepFailures failures_;
};

TEST_F(RankingTest, FourRunnersRankedAndWrittenByHorseNumber) {
  RunnerSpec h1, h2, h3, h4;
  h1.name = "アイウエオカキクケコ";
  h1.kishu = "武田太郎";
  h1.trainer = "調教師名";
  h2.umaban = "02", h2.waku = "2", h2.name = "SPEED KING", h2.sex = "2", h2.age = "10", h2.futan = "550";
  h2.speed = 62, h2.last_furlongs = 59.8f;
  h3.umaban = "03", h3.waku = "3", h3.name = "TIE", h3.age = "", h3.last_furlongs = 0;  // no age, no last-furlong speed
  h4.umaban = "04", h4.waku = "4", h4.name = "SLOW", h4.kishu = "KISHU", h4.speed = 58.5f, h4.last_furlongs = 61;
  h4.counts[1] = "-000001";
  Race({h1, h2, h3, h4});
  EXPECT_TRUE(failures_.empty()) << failures_.Texts().front();

  // 62 first; the tie of horses 1 and 3 at 60 goes to horse 3 by the sort's exchanges.
  EXPECT_EQ(state_.RankOrder, (std::vector<std::string>{"", "02", "03", "01", "04"}));
  EXPECT_EQ(state_.RankKey, (std::vector<float>{0, 62, 60, 60, 58.5f}));
  EXPECT_EQ(std::vector<std::string>(state_.PredRank.begin() + 1, state_.PredRank.begin() + 5),
            (std::vector<std::string>{" 3", " 1", " 2", " 4"}));

  EXPECT_EQ(Text(::radadovur::testing::NameOf(RunnerSortFileName, kKey)),
            "1,\"1\",\" 1\",\" 3\",\"牡\",\" 3\",\"アイウエオカキクケ\",\"56.0\",\"A\",\"A\",\"A\",\"A\",\"武田太郎\",\"1.35.99\",\" 999\"\r\n"
            "2,\"2\",\" 2\",\" 1\",\"牝\",\"10\",\"SPEED KIN\",\"55.0\",\"A\",\"A\",\"A\",\"A\",\"ABCD\",\"1.32.90\",\"1033\"\r\n"
            "3,\"3\",\" 3\",\" 2\",\"牡\",\"\",\"TIE      \",\"56.0\",\"A\",\"A\",\"A\",\"A\",\"ABCD\",\"1.35.99\",\" 999\"\r\n"
            "4,\"4\",\" 4\",\" 4\",\"牡\",\" 3\",\"SLOW     \",\"56.0\",\"A\",\"\",\"A\",\"A\",\"KISH\",\"1.38.46\",\" 974\"\r\n");
  EXPECT_EQ(Text(::radadovur::testing::NameOf(LupSortFileName, kKey)),
            "1,\"1\",\" 1\",\" 3\",\"牡\",\" 3\",\"アイウエオカキクケ\",\"56.0\",\"武田太郎\",\"調教師名\",\"1.35.99\",\"36.00\"\r\n"
            "2,\"2\",\" 2\",\" 1\",\"牝\",\"10\",\"SPEED KIN\",\"55.0\",\"ABCD\",\"TRAI\",\"1.32.90\",\"36.12\"\r\n"
            "3,\"3\",\" 3\",\" 2\",\"牡\",\"\",\"TIE      \",\"56.0\",\"ABCD\",\"TRAI\",\"1.35.99\",\"\"\r\n"
            "4,\"4\",\" 4\",\" 4\",\"牡\",\" 3\",\"SLOW     \",\"56.0\",\"KISH\",\"TRAI\",\"1.38.46\",\"35.40\"\r\n");
}

TEST_F(RankingTest, OneRunnerAndAGapInTheHorseNumbers) {
  RunnerSpec one;
  Race({one});
  EXPECT_EQ(state_.RankOrder[1], "01");
  EXPECT_EQ(state_.PredRank[1], " 1");
  EXPECT_EQ(Text(::radadovur::testing::NameOf(RunnerSortFileName, kKey)),
            "1,\"1\",\" 1\",\" 1\",\"牡\",\" 3\",\"HORSE    \",\"56.0\",\"A\",\"A\",\"A\",\"A\",\"ABCD\",\"1.35.99\",\" 999\"\r\n");

  // Horse 2 has no entry: it ranks as speed 0 and its line keeps its place with blank fields.
  RunnerSpec gap, three;
  gap.umaban.clear();
  three.umaban = "03";
  Race({one, gap, three});
  EXPECT_EQ(state_.PredRank[2], " 3");
  const auto lines = common::SplitLines(Text(::radadovur::testing::NameOf(RunnerSortFileName, kKey)));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "2,\"\",\" 2\",\" 3\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"");
  EXPECT_EQ(common::SplitLines(Text(::radadovur::testing::NameOf(LupSortFileName, kKey)))[1], "2,\"\",\" 2\",\" 3\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"");
}

TEST_F(RankingTest, HorseNumbersAboveEighteenGetNoRank) {
  std::vector<RunnerSpec> runners(19);
  for (size_t i = 0; i < runners.size(); ++i) {
    runners[i].umaban = std::to_string(101 + i).substr(1);
    runners[i].speed = 50.0f + static_cast<float>(i);
  }
  Race(runners);
  ASSERT_EQ(failures_.items.size(), 1u);
  EXPECT_EQ(state_.RankOrder[1], "19");
  EXPECT_EQ(state_.PredRank[18], " 2");
  EXPECT_EQ(common::SplitLines(Text(::radadovur::testing::NameOf(RunnerSortFileName, kKey))).size(), 19u);
}

}  // namespace
}  // namespace radadovur::results
