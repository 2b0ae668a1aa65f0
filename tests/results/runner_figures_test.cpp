#include "results/runner_figures.h"

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

TEST(SpeedToTimeText, CutsEveryStep) {
  struct Case {
    float speed;
    std::string distance, text;
  };
  for (const Case& c : std::vector<Case>{{60, "1600", "1.35.99"},
                                         {60, "1200", "1.12.00"},
                                         {58.5f, "2000", "2.03.07"},
                                         {60, "1000", "0.59.99"},
                                         {10, "1800", "10.48.00"}})
    EXPECT_EQ(SpeedToTimeText(c.speed, c.distance), c.text) << c.speed << " " << c.distance;
  EXPECT_EQ(SpeedToTimeText(0, "1600"), std::nullopt);
}

TEST(EstimatedLastFurlongsText, ThreeFurlongsOnTheFlatOneOverJumps) {
  EXPECT_EQ(EstimatedLastFurlongsText(60, "17"), "36.00");
  EXPECT_EQ(EstimatedLastFurlongsText(60, "49"), "36.00");
  EXPECT_EQ(EstimatedLastFurlongsText(60, "51"), "12.00");
  EXPECT_EQ(EstimatedLastFurlongsText(59.8f, "10"), "36.12");
  EXPECT_EQ(EstimatedLastFurlongsText(0, "17"), "");  // no speed: blank, not "0."
}

TEST(PopulationStdDev, SpreadOfTheValuesFromOne) {
  EXPECT_NEAR(*PopulationStdDev({0, 60, 62, 61}, 3), 0.81649658, 1e-4);
  EXPECT_EQ(PopulationStdDev({0}, 0), std::nullopt);
  // Equal speeds: single-precision sums leave a tiny variance either side of 0; a negative one
  // is taken as 0, so there is always a spread.
  const float low = 55.2f;  // squares / 7 - mean² comes out below 0
  EXPECT_EQ(PopulationStdDev({0, low, low, low, low, low, low, low}, 7), 0.0);
  for (float v : {60.1f, 57.3f, 61.7f, 59.9f}) {
    const auto sd = PopulationStdDev({0, v, v, v, v, v, v, v}, 7);
    ASSERT_TRUE(sd.has_value()) << v;
    EXPECT_GE(*sd, 0.0) << v;
    EXPECT_LT(*sd, 0.05) << v;
  }
}

class RunnerFiguresTest : public testing::ResultsFolder {
 protected:
  void SetUp() override {
    ResultsFolder::SetUp();
    Put("JRACODE/CodeTable.csv", testing::SmallCodeTable() + testing::CodeRow({"2202", "1", "牡馬"}));
    ASSERT_TRUE(LoadCodeTable(app_, state_.CodeTable).ok());
    state_.RaceCount = 1;
    state_.RaceIndex = 1;
    state_.RaceKeyList = {"", kKey};
    state_.RaceTable.resize(2);
    state_.RaceTable[1][kColSdValue] = "SD";
  }
  void Race(const std::vector<RunnerSpec>& runners) {
    std::string file;
    for (const auto& r : runners) file += RunnerRec(r);
    Put(::radadovur::testing::NameOf(RaceRunnerFileName, kKey), file);
    Put(::radadovur::testing::NameOf(KaimeFileName, kKey), "");
    state_.RunnerCount = static_cast<int32_t>(runners.size());
    failures_ = {};
    RunnerFigures(app_, state_, failures_);
    EXPECT_TRUE(failures_.empty()) << failures_.Texts().front();
  }
  RunnerSpec Horse(int number) {
    RunnerSpec s;
    s.umaban = std::to_string(100 + number).substr(1);
    s.waku = std::to_string(number);
    return s;
  }
  std::string U(const std::string& cp932) { return common::DecodeCp932Lossy(cp932); }

  ResultsWindowState state_;
  common::StepFailures failures_;
};

TEST_F(RunnerFiguresTest, TextsOfEachRunner) {
  std::vector<RunnerSpec> horses;
  struct Case {
    std::string run_time, real_time, arrival, arrival_text, final_order, place, futan, futan_text;
  };
  const std::vector<Case> cases = {{"1345", "1.34.5 ", "03", " 3", "05", "05", "560", "56.0"},
                                   {"0000", "    ", "12", "12", "06", "**", "550", "55.0"},
                                   {"    ", "    ", "00", " 0", "  ", "**", "480", "48.0"},
                                   {"2005", "2.00.5 ", "  ", "  ", "01", "01", "570", "57.0"}};
  for (size_t i = 0; i < cases.size(); ++i) {
    RunnerSpec s = Horse(static_cast<int>(i) + 1);
    s.run_time = cases[i].run_time;
    s.arrival = cases[i].arrival;
    s.popularity = cases[i].arrival;
    s.final_order = cases[i].final_order;
    s.futan = cases[i].futan;
    horses.push_back(s);
  }
  state_.ArrivalText[4] = state_.PopularityText[4] = "earlier race";
  Race(horses);
  for (size_t i = 1; i <= cases.size(); ++i) {
    const Case& c = cases[i - 1];
    EXPECT_EQ(state_.RealTimeText[i], c.real_time) << i;
    EXPECT_EQ(state_.ArrivalText[i], c.arrival_text) << i;
    EXPECT_EQ(state_.PopularityText[i], c.arrival_text) << i;
    EXPECT_EQ(state_.PlaceMark[i], c.place) << i;
    EXPECT_EQ(state_.FutanText[i], c.futan_text) << i;
  }
  EXPECT_EQ(state_.RealL3FText[1], "34.5 ");
  EXPECT_EQ(U(state_.SexText[1]), "牡");
  EXPECT_EQ(state_.AgeText[1], "03");
  EXPECT_EQ(state_.KishuText[1], "ABCDEFGH");
  EXPECT_EQ(state_.HorseNameText[1], "HORSE" + std::string(31, ' '));
  EXPECT_EQ(state_.EstTimeText[1], "1.35.99");
  EXPECT_EQ(state_.EstL3FText[1], "36.00");
  EXPECT_EQ(state_.PredSpeed[1], 60.0f);
  EXPECT_EQ(state_.ObservedSpeed[1], 59.0f);
  EXPECT_EQ(state_.ReliabilityMarks[1], (std::array<std::string, 5>{"A", "A", "A", "A", "A"}));
  // Sized for the race: pairs and triples with room for n(n-1) and n(n-1)(n-2).
  EXPECT_EQ(state_.PredSpeed.size(), 5u);
  EXPECT_EQ(state_.UmarenKaime.size(), 13u);
  EXPECT_EQ(state_.SanrentanKaime.size(), 25u);
}

TEST_F(RunnerFiguresTest, ReliabilityMarksFromTheSampleCounts) {
  RunnerSpec flat = Horse(1);
  flat.counts = {"0000000", "0000073", "       ", "-000001", "00005.5"};
  RunnerSpec jump = Horse(2);
  jump.track = "51";
  jump.counts = {"0000021", "0000200", "0000011", "0000006", "0000005"};
  Race({flat, jump});
  EXPECT_EQ(state_.ReliabilityMarks[1], (std::array<std::string, 5>{"A", "A", "A", "", ""}));
  EXPECT_EQ(state_.ReliabilityMarks[2], (std::array<std::string, 5>{"A", "A", "A", "A", "A"}));
  EXPECT_EQ(state_.EstL3FText[2], "12.00");
}

TEST_F(RunnerFiguresTest, KaimeRunnerLinesAndTheSpread) {
  RunnerSpec a = Horse(1), b = Horse(2), c = Horse(3);
  a.speed = 60;
  b.speed = 62.25f;
  c.speed = 61.1f;
  Put(::radadovur::testing::NameOf(KaimeFileName, kKey), "");
  Race({a, b, c});
  EXPECT_EQ(Text(::radadovur::testing::NameOf(KaimeFileName, kKey)),
            "\"202409220611\",1,60,60,0\r\n\"202409220611\",2,62.25,62.25,0\r\n\"202409220611\",3,61.1,61.1,0\r\n");
  // sd 0.9203 km/h x 16.666 = 15.3 m/min.
  EXPECT_EQ(state_.RaceTable[1][kColSdValue], "15");

  // Equal speeds: a spread of 0, not the previous race's.
  b.speed = c.speed = a.speed;
  Race({a, b, c});
  EXPECT_EQ(state_.RaceTable[1][kColSdValue], " 0");
  // No runners: a spread of 0.
  state_.RaceTable[1][kColSdValue] = "SD";
  Race({});
  EXPECT_EQ(state_.RaceTable[1][kColSdValue], " 0");
  // A spread above 99 keeps its last two digits.
  a.speed = 30;
  b.speed = 45;
  Race({a, b});
  EXPECT_EQ(state_.RaceTable[1][kColSdValue], "24");  // 7.5 x 16.666 = 124.99
}

TEST_F(RunnerFiguresTest, ARecordWithoutAnEntryHasBlankTextsAndSpeedZero) {
  RunnerSpec gap;
  gap.umaban.clear();
  RunnerSpec three = Horse(3);
  three.speed = 0;
  three.last_furlongs = 0;
  Race({Horse(1), gap, three});
  EXPECT_TRUE(IsGapRunner(state_, 2));
  EXPECT_FALSE(IsGapRunner(state_, 3));
  EXPECT_EQ(state_.PredSpeed[2], 0.0f);
  EXPECT_EQ(state_.HorseNameText[2], "");
  EXPECT_EQ(state_.ReliabilityMarks[2], (std::array<std::string, 5>{}));
  EXPECT_EQ(state_.ArrivalText[2], "  ");
  EXPECT_EQ(state_.PlaceMark[2], "**");
  // A runner whose speeds are 0: no time texts.
  EXPECT_EQ(state_.EstTimeText[3], "");
  EXPECT_EQ(state_.EstL3FText[3], "");
  EXPECT_NE(Text(::radadovur::testing::NameOf(KaimeFileName, kKey)).find("\"202409220611\",2,0,0,0\r\n"), std::string::npos);
}

// The writers take the race's keys from CurrentRunnerRecord: after the loop it is the last
// runner whose entry 0 is the listed race, never a gap, a horse without records or a horse whose
// entry 0 holds a past run.
TEST_F(RunnerFiguresTest, LeavesTheLastRunnerOfTheListedRaceAsCurrentRecord) {
  const auto with_race = [](RunnerSpec spec, const std::string& id) {
    std::string r = RunnerRec(spec);
    rr::Put(r, rr::Year, id.substr(0, 4), 0);
    rr::Put(r, rr::MonthDay, id.substr(4, 4), 0);
    rr::Put(r, rr::VenueCode, id.substr(8, 2), 0);
    rr::Put(r, rr::Kaiji, id.substr(10, 2), 0);
    rr::Put(r, rr::Nichiji, id.substr(12, 2), 0);
    rr::Put(r, rr::RaceNum, id.substr(14, 2), 0);
    return r;
  };
  RunnerSpec gap;
  gap.umaban.clear();
  const std::string listed = with_race(Horse(2), "2024092206040811");
  struct Case {
    const char* name;
    std::vector<std::string> records;
    std::string current;
  };
  const Case cases[] = {
      {"a gap last", {with_race(Horse(1), "2024092206040811"), listed, RunnerRec(gap)}, listed},
      {"no records last", {listed, RunnerRec(Horse(2))}, listed},
      {"a past run last", {listed, with_race(Horse(2), "2024090806040211")}, listed},
      {"none of the race", {RunnerRec(Horse(1)), RunnerRec(gap)}, RunnerRec(gap)},
  };
  for (const Case& c : cases) {
    std::string file;
    for (const auto& r : c.records) file += r;
    Put(::radadovur::testing::NameOf(RaceRunnerFileName, kKey), file);
    state_.RunnerCount = static_cast<int32_t>(c.records.size());
    failures_ = {};
    RunnerFigures(app_, state_, failures_);
    EXPECT_TRUE(failures_.empty()) << c.name;
    EXPECT_TRUE(state_.CurrentRunnerRecord == c.current) << c.name;
  }
}

}  // namespace
}  // namespace radadovur::results
