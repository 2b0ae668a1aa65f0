#include "formation/formation_hit_check.h"

#include <gtest/gtest.h>

#include "formation/formation_fixture.h"

namespace radadovur::formation {
namespace {

namespace hr = jvdata::hr;
using testing::Race;

std::vector<std::string> Horses(int n) {
  std::vector<std::string> order;
  for (int h = 1; h <= n; ++h) order.push_back((h < 10 ? "0" : "") + std::to_string(h));
  return order;
}

std::array<int, 7> Points(const results::ResultsWindowState& s) {
  std::array<int, 7> points{};
  for (size_t i = 0; i < 7; ++i) points[i] = s.PcPoints[i].Points;
  return points;
}

// Points of 馬連F, 馬連B, 馬単F, 3連複B, 3連単12, 3連単23, 3連単13 by field size and spread; the
// points are the tickets the legs really list, also where a leg would reach past the field.
TEST(FormationHitCheckTest, PointsByFieldSizeAndSdValue) {
  struct Case {
    int runners;
    const char* toroku;
    const char* sd;
    std::array<int, 7> points;
  } cases[] = {
      {4, "04", "SD", {6, 6, 9, 4, 12, 6, 6}},
      {5, "05", "", {9, 10, 12, 10, 18, 12, 12}},
      {6, "06", "", {12, 10, 15, 10, 24, 18, 18}},
      {7, "07", "", {12, 10, 15, 10, 30, 24, 24}},
      {8, "08", "31", {12, 10, 15, 10, 36, 30, 30}},
      {8, "08", "30", {15, 15, 18, 20, 36, 30, 30}},
      {12, "12", "30", {15, 15, 18, 20, 42, 36, 36}},
      {12, "12", " 5", {15, 15, 18, 20, 42, 36, 36}},
      {18, "18", "31", {12, 10, 15, 10, 36, 30, 30}},
      {3, "03", "", {3, 3, 6, 1, 6, 0, 0}},      // one to three runners: what they list
      {2, "02", "", {1, 1, 2, 0, 0, 0, 0}},
      {5, "  ", "20", {9, 10, 12, 10, 18, 12, 12}},  // a blank count on five runners
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.runners) + " runners, registered " + c.toroku + ", SD " + c.sd);
    Race race(Horses(c.runners), {}, c.toroku, c.sd);
    race.Payouts({});
    common::StepFailures failures;
    CheckFormationHits(race.s, failures);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(Points(race.s), c.points);
    EXPECT_EQ(race.s.PcPoints[4].PointsTotal, c.points[4]) << "added hit or miss";
  }
}

// Which columns hit, by the finishing marks of the ranked horses (ranks 1 to 9 = horses 1 to 9).
TEST(FormationHitCheckTest, JudgementByPlaceMarks) {
  enum { F, B, TF, PB, T12, T23, T13 };
  struct Case {
    const char* what;
    const char* toroku;
    std::vector<std::string> marks;  // by rank
    std::array<bool, 7> hits;
  } cases[] = {
      {"rank 2 first, rank 5 second", "09", {"**", "01", "**", "**", "02"}, {1, 1, 1, 0, 0, 0, 0}},
      {"the same with E 4", "04", {"**", "01", "**", "**", "02"}, {0, 0, 0, 0, 0, 0, 0}},
      {"1st, 3rd, 2nd", "09", {"01", "03", "02"}, {1, 1, 1, 1, 1, 0, 0}},
      {"dead heat for first in ranks 1-3", "09", {"01", "01", "**"}, {1, 1, 1, 0, 0, 0, 0}},
      {"three marked 01/02 among the ranks", "09", {"01", "02", "02"}, {0, 0, 0, 1, 0, 0, 0}},
      {"two partners with the needed mark", "09", {"01", "02", "03", "03"}, {1, 1, 1, 0, 0, 0, 0}},
      {"ranks 2 and 3 first and second, rank 6 third", "09", {"**", "02", "01", "**", "**", "03"},
       {1, 1, 1, 1, 0, 1, 0}},
      {"ranks 1 and 3 second and third, rank 9 first", "09", {"02", "**", "03", "**", "**", "**", "**", "**", "01"},
       {0, 0, 0, 0, 0, 0, 1}},
      {"the same with SD above 30 (E 8)", "09", {"02", "**", "03", "**", "**", "**", "**", "**", "01"},
       {0, 0, 0, 0, 0, 0, 0}},
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Race race(Horses(9), c.marks, c.toroku, index++ == 8 ? "31" : "20");
    race.Payouts({{hr::UmarenPayouts_Combination, "0102"}, {hr::UmarenPayouts_Payout, "000000500"},
                  {hr::UmatanPayouts_Combination, "0201"}, {hr::UmatanPayouts_Payout, "000000900"},
                  {hr::SanrenpukuPayouts_Combination, "010203"}, {hr::SanrenpukuPayouts_Payout, "000001200"},
                  {hr::SanrentanPayouts_Combination, "020103"}, {hr::SanrentanPayouts_Payout, "000005000"}});
    common::StepFailures failures;
    CheckFormationHits(race.s, failures);
    EXPECT_TRUE(failures.empty());
    const results::PcColumn columns[] = {results::kPcUmarenF, results::kPcUmarenB, results::kPcUmatanF,
                                         results::kPcSanrenpukuB, results::kPcSanrentan12, results::kPcSanrentan23,
                                         results::kPcSanrentan13};
    for (int i = 0; i < 7; ++i) {
      const results::PcTallyBlock& b = race.s.PcTally[static_cast<size_t>(columns[i])];
      EXPECT_EQ(b.HitRaces, c.hits[static_cast<size_t>(i)] ? 1 : 0) << "column " << i;
      EXPECT_EQ(b.HitText.empty(), !c.hits[static_cast<size_t>(i)]) << "column " << i;
    }
  }
}

// The hit texts come from the first payout entry of the bet; win and place from their entries.
TEST(FormationHitCheckTest, HitTextsTalliesAndFailingColumns) {
  Race race({"07", "03", "01", "02", "04", "05"}, {"01", "03", "02"}, "06", "");
  race.Payouts({{hr::TanshoPayouts_Combination, "07"}, {hr::TanshoPayouts_Payout, "000000230"},
                {hr::FukushoPayouts_Combination, "07"}, {hr::FukushoPayouts_Payout, "000000110"},
                {hr::FukushoPayouts_Combination, "01", 1}, {hr::FukushoPayouts_Payout, "000000150", 1},
                {hr::FukushoPayouts_Combination, "03", 2}, {hr::FukushoPayouts_Payout, "000000180", 2},
                {hr::UmarenPayouts_Combination, "0107"}, {hr::UmarenPayouts_Payout, "000000640"},
                {hr::UmatanPayouts_Combination, "0701"}, {hr::UmatanPayouts_Payout, "000001020"},
                {hr::SanrenpukuPayouts_Combination, "010307"}, {hr::SanrenpukuPayouts_Payout, "000000800"},
                {hr::SanrentanPayouts_Combination, "070103"}, {hr::SanrentanPayouts_Payout, "          "}});
  race.s.PcTally[results::kPcTansho1].HitRaces = 2;
  race.s.PcTally[results::kPcTansho1].PayTotal = 500;
  common::StepFailures failures;
  CheckFormationHits(race.s, failures);
  const auto& t = race.s.PcTally;
  EXPECT_EQ(t[results::kPcTansho1].HitText, "07");
  EXPECT_EQ(t[results::kPcTansho1].PayText, "230");
  EXPECT_EQ(t[results::kPcTansho1].HitRaces, 3);
  EXPECT_EQ(t[results::kPcTansho1].PayTotal, 730);
  EXPECT_EQ(t[results::kPcFukusho2].HitText, "03");
  EXPECT_EQ(t[results::kPcFukusho2].PayText, "180");
  EXPECT_EQ(t[results::kPcTansho2].HitText, "");
  EXPECT_EQ(t[results::kPcUmarenF].HitText, " 1- 7");
  EXPECT_EQ(t[results::kPcUmarenF].PayText, "640");
  EXPECT_EQ(t[results::kPcUmatanF].HitText, common::ToCp932(" 7→ 1"));
  EXPECT_EQ(t[results::kPcSanrenpukuB].PayTotal, 800);
  // 3連単12 hits (1st and 3rd on the axes, rank 3 second) but its payout is blank: the column is
  // reported and counts nothing, not even its points; 3連単13 misses and keeps its points.
  EXPECT_EQ(t[results::kPcSanrentan12].HitText, "");
  EXPECT_EQ(t[results::kPcSanrentan12].HitRaces, 0);
  EXPECT_EQ(race.s.PcPoints[4].Points, 0);
  EXPECT_EQ(race.s.PcPoints[4].PointsTotal, 0);
  EXPECT_EQ(race.s.PcPoints[6].PointsTotal, 18);
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_NE(failures.Texts().front().find("3連単12"), std::string::npos);

  // An SD value that is no number fails the seven formation columns of nine runners, not win and place.
  Race wide(Horses(9), {"01"}, "09", "SD");
  wide.Payouts({{hr::TanshoPayouts_Combination, "01"}, {hr::TanshoPayouts_Payout, "000000150"}});
  common::StepFailures more;
  CheckFormationHits(wide.s, more);
  EXPECT_EQ(wide.s.PcTally[results::kPcTansho1].PayText, "150");
  EXPECT_EQ(Points(wide.s), (std::array<int, 7>{}));
  EXPECT_EQ(more.items.size(), 7u);
}

}  // namespace
}  // namespace radadovur::formation
