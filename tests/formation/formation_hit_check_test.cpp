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

// Which columns hit, by the finishing marks of the ranked horses (ranks 1 to 9 = horses 1 to 9),
// when no two horses share a place (dead heats are judged by their paid tickets, below).
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
    Race race(Horses(9), c.marks, c.toroku, index++ == 5 ? "31" : "20");
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

// On a dead heat among the first three places, every column hits when one of its tickets is a
// paid combination: the first such entry shows the hit, the race adds the payouts of all of them.
TEST(FormationHitCheckTest, DeadHeatsJudgedByPaidTickets) {
  using Paid = std::vector<std::pair<const char*, int>>;  // combination, yen, in record order
  struct Column {
    results::PcColumn column;
    const jvdata::Field& combination;
    const jvdata::Field& payout;
  };
  const Column kColumns[] = {
      {results::kPcUmarenF, hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout},
      {results::kPcUmarenB, hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout},
      {results::kPcUmatanF, hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout},
      {results::kPcSanrenpukuB, hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout},
      {results::kPcSanrentan12, hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout},
      {results::kPcSanrentan23, hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout},
      {results::kPcSanrentan13, hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout},
  };
  struct Case {
    const char* what;
    std::vector<std::string> order, marks;  // horses by rank and their marks
    const char* toroku;
    const char* sd;
    std::array<Paid, 4> paid;               // 馬連, 馬単, 3連複, 3連単
    std::array<const char*, 7> hit_text;    // 馬連F .. 3連単13, "" for a miss
    std::array<int, 7> pay_text, pay_total;
  } cases[] = {
      {"third shared by ranks 3 and 4, second by rank 12 (E 5): the box holds no paid trio",
       {"02", "14", "03", "13", "04", "09", "01", "08", "07", "12", "10", "05", "11", "06"},
       {"**", "**", "03", "03", "01", "**", "**", "**", "**", "**", "**", "02"},
       "14",
       "33",
       {Paid{{"0405", 25460}}, Paid{{"0405", 48910}}, Paid{{"030405", 65780}, {"040513", 65450}},
        Paid{{"040503", 409080}, {"040513", 407290}}},
       {"", "", "", "", "", "", ""},
       {},
       {}},
      {"third shared by ranks 3 and 8: the first paid entry outside the box, the second in it",
       {"01", "02", "03", "04", "05", "06", "07", "08", "09"},
       {"01", "02", "03", "**", "**", "**", "**", "03"},
       "09",
       "20",
       {Paid{{"0102", 500}}, Paid{{"0102", 700}}, Paid{{"010208", 3000}, {"010203", 1200}},
        Paid{{"010208", 8000}, {"010203", 5000}}},
       {" 1- 2", " 1- 2", " 1→ 2", " 1- 2- 3", " 1→ 2→ 8", "", ""},
       {500, 500, 700, 1200, 8000, 0, 0},
       {500, 500, 700, 1200, 13000, 0, 0}},
      {"second shared by ranks 2 and 3: both paid pairs and both paid orders are tickets",
       {"01", "02", "03", "04", "05", "06", "07", "08", "09"},
       {"01", "02", "02"},
       "09",
       "20",
       {Paid{{"0102", 500}, {"0103", 900}}, Paid{{"0102", 700}, {"0103", 800}}, Paid{{"010203", 1500}},
        Paid{{"010203", 6000}, {"010302", 7000}}},
       {" 1- 2", " 1- 2", " 1→ 2", " 1- 2- 3", " 1→ 2→ 3", "", ""},
       {500, 500, 700, 1500, 6000, 0, 0},
       {1400, 1400, 1500, 1500, 13000, 0, 0}},
      {"second shared by ranks 2 and 9: 1-9 lies past every leg (E 7), so 1-2 shows the hit",
       {"01", "02", "03", "04", "05", "06", "07", "08", "09"},
       {"01", "02", "**", "**", "**", "**", "**", "**", "02"},
       "09",
       "20",
       {Paid{{"0109", 900}, {"0102", 500}}, Paid{{"0109", 800}, {"0102", 700}}, Paid{}, Paid{}},
       {" 1- 2", " 1- 2", " 1→ 2", "", "", "", ""},
       {500, 500, 700, 0, 0, 0, 0},
       {500, 500, 700, 0, 0, 0, 0}},
      {"first shared by ranks 4, 5 and 6: only the boxes hold their pairs, 馬単F's first leg none",
       {"01", "02", "03", "04", "05", "06", "07", "08", "09"},
       {"**", "**", "**", "01", "01", "01"},
       "09",
       "20",
       {Paid{{"0405", 100}, {"0406", 200}, {"0506", 300}},
        Paid{{"0405", 110}, {"0504", 120}, {"0406", 130}, {"0604", 140}, {"0506", 150}, {"0605", 160}},
        Paid{{"040506", 900}}, Paid{{"040506", 1000}}},
       {"", " 4- 5", "", " 4- 5- 6", "", "", ""},
       {0, 100, 0, 900, 0, 0, 0},
       {0, 600, 0, 900, 0, 0, 0}},
      {"first shared by ranks 1 and 2, rank 3 third: both paid orders of each ordered bet are tickets",
       {"13", "12", "01", "04", "05", "06", "07", "08", "09"},
       {"01", "01", "03"},
       "09",
       "20",
       {Paid{{"1213", 500}}, Paid{{"1213", 700}, {"1312", 800}}, Paid{{"011213", 1500}},
        Paid{{"121301", 6000}, {"131201", 7000}}},
       {"12-13", "12-13", "12→13", " 1-12-13", "12→13→ 1", "", ""},
       {500, 500, 700, 1500, 6000, 0, 0},
       {500, 500, 1500, 1500, 13000, 0, 0}},
      {"first shared by ranks 1, 2 and 3: every paid pair, order and trio is a ticket",
       {"01", "02", "03", "04", "05", "06", "07", "08", "09"},
       {"01", "01", "01"},
       "09",
       "20",
       {Paid{{"0102", 100}, {"0103", 200}, {"0203", 300}},
        Paid{{"0102", 110}, {"0201", 120}, {"0103", 130}, {"0301", 140}, {"0203", 150}, {"0302", 160}},
        Paid{{"010203", 900}},
        Paid{{"010203", 1010}, {"010302", 1020}, {"020103", 1030}, {"020301", 1040}, {"030102", 1050},
             {"030201", 1060}}},
       {" 1- 2", " 1- 2", " 1→ 2", " 1- 2- 3", " 1→ 2→ 3", "", ""},
       {100, 100, 110, 900, 1010, 0, 0},
       {600, 600, 810, 900, 6210, 0, 0}},
      {"third shared by ranks 4 and 7: 3連単23 holds both, the box (E 6) only 2-3-4",
       {"01", "02", "03", "04", "05", "06", "07", "08", "09"},
       {"**", "01", "02", "03", "**", "**", "03"},
       "09",
       "20",
       {Paid{{"0203", 300}}, Paid{{"0203", 400}}, Paid{{"020307", 700}, {"020304", 500}},
        Paid{{"020304", 1000}, {"020307", 2000}}},
       {" 2- 3", " 2- 3", " 2→ 3", " 2- 3- 4", "", " 2→ 3→ 4", ""},
       {300, 300, 400, 500, 0, 1000, 0},
       {300, 300, 400, 500, 0, 3000, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Race race(c.order, c.marks, c.toroku, c.sd);
    std::vector<radadovur::testing::FieldValue> fields;
    const Column* by_bet[] = {&kColumns[0], &kColumns[2], &kColumns[3], &kColumns[4]};
    for (size_t bet = 0; bet < 4; ++bet)
      for (uint32_t i = 0; i < c.paid[bet].size(); ++i) {
        const std::string yen = std::to_string(c.paid[bet][i].second);
        fields.push_back({by_bet[bet]->combination, c.paid[bet][i].first, i});
        fields.push_back({by_bet[bet]->payout, std::string(9 - yen.size(), '0') + yen, i});
      }
    race.Payouts(fields);
    common::StepFailures failures;
    CheckFormationHits(race.s, failures);
    EXPECT_TRUE(failures.empty());
    for (size_t i = 0; i < 7; ++i) {
      const results::PcTallyBlock& b = race.s.PcTally[static_cast<size_t>(kColumns[i].column)];
      EXPECT_EQ(b.HitText, common::ToCp932(c.hit_text[i])) << "column " << i;
      EXPECT_EQ(b.PayText, c.pay_text[i] ? std::to_string(c.pay_text[i]) : "") << "column " << i;
      EXPECT_EQ(b.HitRaces, *c.hit_text[i] ? 1 : 0) << "column " << i;
      EXPECT_EQ(b.PayTotal, c.pay_total[i]) << "column " << i;
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
