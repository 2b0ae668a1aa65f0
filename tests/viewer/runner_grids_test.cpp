// The runner grids: number forms, rank and popularity colours, times, the residual columns and
// the horse-name cell.
#include "viewer/runner_grids.h"

#include <gtest/gtest.h>

#include "common/cp932.h"
#include "results/runner_figures.h"
#include "viewer/runner_texts.h"
#include "viewer/viewer_fixture.h"

namespace radadovur::viewer {
namespace {

using testing::Runner;
using testing::RunnerRecord;

struct Shown {
  Grid g1 = MakeDetail1Grid();
  Grid g2 = MakeDetail2Grid();
};

Shown Show(const Runner& runner, const std::string& rank, int k = 1) {
  Shown s;
  PrepareRunnerGrids(runner.key, s.g1, s.g2);
  results::ResultsWindowState state;
  state.ReliabilityMarks.assign(static_cast<size_t>(k) + 1, {});
  state.CurrentRunnerRecord = RunnerRecord(runner);
  results::SetReliabilityMarks(state, k);
  ShowRunner(k, state.CurrentRunnerRecord, rank, state.ReliabilityMarks[static_cast<size_t>(k)], s.g1, s.g2);
  return s;
}

TEST(RunnerGrids, PopularityMinusRankAndTheColourScales) {
  struct Case {
    const char* popularity;
    const char* rank;
    const char* arrival;
    const char* difference;
    Colour difference_colour;
    const char* rank_text;
    Colour rank_colour, popularity_colour, arrival_colour;
  };
  const Colour W = Colour::kWhite;
  const Case cases[] = {
      {"05", " 1", "03", "4", Colour::kLightYellow, "01", Colour::kLightYellow, Colour::kLightMagenta, Colour::kLightGreen},
      {"02", " 9", "04", "-7", Colour::kLightRed, "09", W, Colour::kLightCyan, W},
      {"03", " 9", "01", "-6", W, "09", W, Colour::kLightGreen, Colour::kLightYellow},
      {"09", " 6", "02", "3", W, "06", W, W, Colour::kLightCyan},
      {"04", "18", "  ", "-14", Colour::kLightRed, "18", W, Colour::kLightBlue, W},
      // No rank in the sort file: no rank, no difference.
      {"05", "", "03", "", W, "", W, Colour::kLightMagenta, Colour::kLightGreen},
  };
  for (const Case& c : cases) {
    Runner runner;
    runner.popularity = c.popularity;
    runner.arrival = c.arrival;
    const Shown s = Show(runner, c.rank);
    SCOPED_TRACE(std::string(c.popularity) + "/" + c.rank);
    EXPECT_EQ(s.g1.Text(1, 4), c.difference);
    EXPECT_EQ(s.g1.ColourAt(1, 4), c.difference_colour);
    EXPECT_EQ(s.g1.Text(1, 2), c.rank_text);
    EXPECT_EQ(s.g1.ColourAt(1, 2), c.rank_colour);
    EXPECT_EQ(s.g1.ColourAt(1, 3), c.popularity_colour);
    EXPECT_EQ(s.g1.ColourAt(1, 1), c.arrival_colour);
    EXPECT_EQ(s.g2.Text(1, 4), c.difference);
    EXPECT_EQ(s.g2.ColourAt(1, 4), W);  // column 4 of the second grid is never coloured
    EXPECT_EQ(s.g2.ColourAt(1, 2), c.rank_colour);
  }
  Runner scratched;
  scratched.popularity = "**";
  EXPECT_EQ(Show(scratched, " 3").g2.Text(1, 4), "**");
}

TEST(RunnerGrids, NumberFormsAndTimes) {
  Runner runner;
  runner.run_time = "0000";
  runner.odds = "0123";
  runner.last3f = "345";
  Shown s = Show(runner, " 1");
  const std::pair<int, const char*> g1[] = {
      {0, "3    05"}, {5, "12.3"}, {8, "0.00.00"}, {9, "34.5"},
      {10, "1.35.99"},  // 1600 m at 60 km/h: 1.5999999 minutes in single precision, cut
      {11, "36.00"},    // 600 m at 60 km/h
      {12, "0.59.99"},  // 1000 m at 60 km/h
      {7, "騎A・調A・父父A・母父A・生"},  // a negative count leaves no mark
      {14, "1.234"}, {15, "-0.001"}, {17, "0"},
  };
  for (const auto& [column, text] : g1) EXPECT_EQ(s.g1.Text(1, column), text) << column;
  EXPECT_EQ(common::Utf8Left(s.g1.Text(1, 13), 2), "騎手");
  EXPECT_EQ(s.g1.Text(0, 0), "202409220611");
  EXPECT_EQ(s.g1.Text(0, 15), "騎手ペース時速");
  EXPECT_EQ(s.g1.column_width[15], 1700);
  EXPECT_EQ(s.g1.row0_height, 500);

  runner.run_time = "1234";
  runner.speed = 0;
  runner.agari_speed = 0;
  runner.kyori = "ABCD";
  s = Show(runner, " 1");
  EXPECT_EQ(s.g1.Text(1, 8), "1.23.40");
  for (int column : {10, 11, 12}) EXPECT_EQ(s.g1.Text(1, column), "") << column;
  EXPECT_EQ(s.g2.Text(1, 6), "0");
  EXPECT_EQ(s.g2.Text(1, 7), "");
}

// The weights show the single-precision product cut, as the factor viewer shows the same weights.
TEST(RunnerGrids, WeightsToThreeDecimalsOfTheSingleProduct) {
  const std::pair<float, const char*> cases[] = {
      {-0.1f, "-0.1"}, {-0.05f, "-0.05"}, {0.7f, "0.7"}, {55.391f, "55.391"}, {60.12345f, "60.123"}, {-1.0001f, "-1.001"},
  };
  for (const auto& [weight, text] : cases) {
    results::ResultsWindowState state;
    state.ReliabilityMarks.assign(2, {});
    state.CurrentRunnerRecord = RunnerRecord(Runner{});
    testing::PutReal(state.CurrentRunnerRecord, results::rr::RunAgariFW, 23, 0, weight);
    testing::PutReal(state.CurrentRunnerRecord, results::rr::SpeedAdjust, 0, 0, weight);
    testing::PutReal(state.CurrentRunnerRecord, results::rr::RunSpeedResults, 6, 0, 0);
    Shown s;
    PrepareRunnerGrids("202409220611", s.g1, s.g2);
    ShowRunner(1, state.CurrentRunnerRecord, " 1", state.ReliabilityMarks[1], s.g1, s.g2);
    EXPECT_EQ(s.g1.Text(1, 17), text) << weight;  // 父馬上がり時速
    EXPECT_EQ(s.g2.Text(1, 6), text) << weight;   // predicted speed: adjustment plus 0
  }
}

TEST(RunnerGrids, ResidualsStandUnderTheirOwnHeadings) {
  Runner runner;
  runner.adjust = 0.25f;
  runner.speed = 59.75f;
  runner.runs = {{{"06", "17"}, {"11", "17"}, {"05", "24"}}};
  Shown s = Show(runner, " 2", 4);
  EXPECT_EQ(s.g2.Text(0, 9), "実-合成(時速）");
  EXPECT_EQ(s.g2.Text(0, 11), "前0残差");
  EXPECT_EQ(s.g2.Text(0, 75), "前64残差");
  EXPECT_EQ(s.g2.Text(4, 6), "60");  // adjustment plus speed
  EXPECT_EQ(s.g2.Text(4, 9), "0.5");
  EXPECT_EQ(s.g2.Text(4, 10), "0.25");
  EXPECT_EQ(s.g2.Text(4, 11), "0.5");
  EXPECT_EQ(s.g2.Text(4, 12), "-1.25");
  EXPECT_EQ(s.g2.Text(4, 13), "2");
  EXPECT_EQ(s.g2.Text(4, 75), "0");  // run 64: an empty slot reads 0
  EXPECT_EQ(s.g2.ColourAt(4, 11), Colour::kLightGreen);   // JRA, turf
  EXPECT_EQ(s.g2.ColourAt(4, 12), Colour::kWhite);        // venue 11: not JRA
  EXPECT_EQ(s.g2.ColourAt(4, 13), Colour::kLightYellow);  // JRA, dirt
  EXPECT_EQ(s.g2.ColourAt(4, 14), Colour::kWhite);        // a blank venue

  runner.runs = {{{"10", "52"}, {"01", "30"}, {"10", "60"}}};
  s = Show(runner, " 2");
  EXPECT_EQ(s.g2.ColourAt(1, 11), Colour::kLightCyan);
  EXPECT_EQ(s.g2.ColourAt(1, 12), Colour::kLightCyan);
  EXPECT_EQ(s.g2.ColourAt(1, 13), Colour::kWhite);
}

TEST(RunnerGrids, HorseNameCellEndsWithTheExpandedRecordFile) {
  Runner runner;
  runner.name = "テストホース";
  runner.ketto = "2021100001";
  const Shown s = Show(runner, " 1");
  const std::string cell = s.g1.Text(1, kDetail1NameColumn);
  EXPECT_EQ(common::Utf8Length(cell), 34u);
  EXPECT_EQ(cell, "テストホース            2021100001EX.dat");
  EXPECT_EQ(s.g2.Text(1, kDetail2NameColumn), cell);
}

TEST(RunnerTexts, SpeedToTimeTextCutsEachStep) {
  // Single precision and cutting make whole times fall short by a hundredth.
  EXPECT_EQ(results::SpeedToTimeText(60, "1600"), "1.35.99");
  EXPECT_EQ(results::SpeedToTimeText(62.5f, "2000"), "1.55.19");
  EXPECT_EQ(results::SpeedToTimeText(64, "1200"), "1.07.50");
  EXPECT_EQ(results::SpeedToTimeText(0, "1600"), std::nullopt);
  EXPECT_EQ(TwoDigits(7), "07");
}

}  // namespace
}  // namespace radadovur::viewer
