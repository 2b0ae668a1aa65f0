#include "documents/tier_hit_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/cp932.h"
#include "jvdata/layout_hr.h"
#include "support/record_builder.h"

namespace radadovur::documents {
namespace {

namespace hr = jvdata::hr;
using results::ResultsWindowState;
using testing::FieldValue;

// A race with 30 pair and 40 triple positions whose tickets match nothing until a case puts a
// ticket at a position.
struct Race {
  Race() {
    s.PairCount = 30;
    s.TripleCount = 40;
    s.UmarenKaime.assign(31, "");
    s.UmatanKaime.assign(31, "");
    s.SanrenpukuKaime.assign(41, "");
    s.SanrentanKaime.assign(41, "");
    for (int p = 1; p <= 30; ++p) s.UmarenKaime[p] = s.UmatanKaime[p] = "90" + Two(p);
    for (int p = 1; p <= 40; ++p) s.SanrenpukuKaime[p] = s.SanrentanKaime[p] = "9000" + Two(p);
  }
  static std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }
  // Payout entry i of a block: combination, payout, popularity.
  void Pay(const jvdata::Field& c, const jvdata::Field& p, const jvdata::Field& pop, uint32_t i, std::string comb,
           std::string yen, std::string popularity) {
    payouts.push_back({c, std::move(comb), i});
    payouts.push_back({p, std::move(yen), i});
    payouts.push_back({pop, std::move(popularity), i});
  }
  std::vector<std::string> Check() {
    s.CurrentPayoutRecord = testing::MakeRecord(jvdata::RecordType::HR, payouts);
    std::vector<std::string> lines;
    CheckTierHits(s, lines, failures);
    for (std::string& line : lines) line = common::DecodeCp932Lossy(line);
    return lines;
  }
  std::string Label(int entry) const { return common::DecodeCp932Lossy(s.HitSummary[static_cast<size_t>(entry)].Label); }
  std::string Pos(int entry) const { return s.HitSummary[static_cast<size_t>(entry)].Popularity; }

  ResultsWindowState s;
  std::vector<FieldValue> payouts;
  common::StepFailures failures;
};

const std::string kTen(10, ' ');

TEST(TierHitCheckTest, UmarenTiersAndMatchesOutsideThem) {
  struct Case {
    const char* name;
    std::vector<int> positions;  // where the winning pair stands among the tickets (one entry each)
    std::vector<std::string> lines;
    const char* label;
    const char* position_and_popularity;
    std::array<int, 3> hits;
  };
  const Case cases[] = {
      {"position 9 is 準本線 point 3", {9}, {"\"AT\",\"1\",\"1\",\"準本線3点目 的中\",\" 3- 7\",\"1230\"\r\n"}, "準本3点目",
       "9 5", {0, 1, 0}},
      {"position 20 is outside the tiers", {20}, {}, "", "20 5", {0, 0, 0}},
      {"dead heat: positions 3 and 25; the summary keeps the later", {3, 25},
       {"\"AT\",\"1\",\"1\",\"本線3点目 的中\",\" 3- 7\",\"1230\"\r\n"}, "", "25 6", {1, 0, 0}},
      {"dead heat: both paid pairs bought in the tiers count, each with its payout", {3, 9},
       {"\"AT\",\"1\",\"1\",\"本線3点目 的中\",\" 3- 7\",\"1230\"\r\n",
        "\"AT\",\"2\",\"1\",\"準本線3点目 的中\",\" 4- 8\",\"1230\"\r\n"},
       "準本3点目", "9 6", {1, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Race race;
    const char* combos[] = {"0307", "0408"};
    for (size_t k = 0; k < c.positions.size(); ++k) {
      race.s.UmarenKaime[c.positions[k]] = combos[k];
      race.Pay(hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, hr::UmarenPayouts_Popularity,
               static_cast<uint32_t>(k), combos[k], "000001230", k == 0 ? "005" : "006");
    }
    EXPECT_EQ(race.Check(), c.lines);
    EXPECT_EQ(race.Label(kSumUmaren), *c.label ? std::string(c.label) : kTen);
    EXPECT_EQ(race.Pos(kSumUmaren), c.position_and_popularity);
    const auto& block = race.s.TierTally[results::kTierUmaren];
    EXPECT_EQ(block.Hits, c.hits);
    EXPECT_EQ(block.PayTotal[0] + block.PayTotal[1] + block.PayTotal[2],
              1230 * (c.hits[0] + c.hits[1] + c.hits[2]));
    EXPECT_TRUE(race.failures.empty());
  }
}

TEST(TierHitCheckTest, HitNumberCountsMatchesOutsideTheTiersToo) {
  Race race;
  race.s.UmarenKaime[20] = "0307";  // 馬連 outside the tiers: no line, but number 1
  race.s.UmarenKaime[2] = "0108";   // ワイド hit
  race.Pay(hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, hr::UmarenPayouts_Popularity, 0, "0307",
           "000001230", "005");
  race.Pay(hr::WidePayouts_Combination, hr::WidePayouts_Payout, hr::WidePayouts_Popularity, 0, "0108", "000000450",
           "003");
  EXPECT_EQ(race.Check(), std::vector<std::string>{"\"AT\",\"2\",\"2\",\"本線2点目 的中\",\" 1- 8\",\"450\"\r\n"});
}

TEST(TierHitCheckTest, WideCounterColumnsAndAFourthMatch) {
  Race race;
  const std::pair<int, const char*> tickets[] = {{2, "0102"}, {5, "0103"}, {30, "0203"}, {7, "0104"}};
  uint32_t i = 0;
  for (const auto& [p, comb] : tickets) {
    race.s.UmarenKaime[p] = comb;
    race.Pay(hr::WidePayouts_Combination, hr::WidePayouts_Payout, hr::WidePayouts_Popularity, i++, comb, "000000200",
             "001");
  }
  // In list order: 2 (code 2), 5 (code 3), 7 (code 4), 30 (outside, the fourth match: no column).
  EXPECT_EQ(race.Check(), (std::vector<std::string>{
                              "\"AT\",\"1\",\"2\",\"本線2点目 的中\",\" 1- 2\",\"200\"\r\n",
                              "\"AT\",\"2\",\"3\",\"本線5点目 的中\",\" 1- 3\",\"200\"\r\n",
                              "\"AT\",\"3\",\"4\",\"準本線1点目 的中\",\" 1- 4\",\"200\"\r\n",
                          }));
  EXPECT_EQ(race.Label(kSumWide1), "本線2点目");
  EXPECT_EQ(race.Label(kSumWide3), "準本1点目");
  EXPECT_EQ(race.Pos(kSumWide3), "7 1");
  EXPECT_EQ(race.s.TierTally[results::kTierWide].Hits, (std::array<int, 3>{2, 1, 0}));
}

TEST(TierHitCheckTest, AFourthWideHitCountsButHasNoLine) {
  Race race;
  const std::pair<int, const char*> tickets[] = {{1, "0102"}, {2, "0103"}, {3, "0203"}, {4, "0104"}};
  uint32_t i = 0;
  for (const auto& [p, comb] : tickets) {
    race.s.UmarenKaime[p] = comb;
    race.Pay(hr::WidePayouts_Combination, hr::WidePayouts_Payout, hr::WidePayouts_Popularity, i++, comb, "000000200",
             "001");
  }
  const auto lines = race.Check();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], "\"AT\",\"3\",\"4\",\"本線3点目 的中\",\" 2- 3\",\"200\"\r\n");
  EXPECT_EQ(race.s.TierTally[results::kTierWide].Hits[0], 4);
  EXPECT_EQ(race.s.TierTally[results::kTierWide].PayTotal[0], 800);
}

TEST(TierHitCheckTest, UmatanOrders) {
  struct Case {
    const char* ticket;  // at position 4 (or 20)
    int position;
    const char* line;    // nullptr: none
    const char* label;
    const char* pos;
    results::TierKind block;
  };
  const Case cases[] = {
      {"0307", 4, "\"AT\",\"1\",\"5\",\"本線4逆順 的中\",\" 7→ 3\",\"2500\"\r\n", "本線4点目裏", "8 2", results::kTierUmatanUra},
      {"0703", 4, "\"AT\",\"1\",\"5\",\"本線4正順 的中\",\" 7→ 3\",\"2500\"\r\n", "本線4点目表", "7 2", results::kTierUmatanOmote},
      {"0703", 20, nullptr, "           ", "39 2", results::kTierUmatanOmote},  // eleven blanks
      {"0307", 20, nullptr, "          ", "40 2", results::kTierUmatanUra},    // ten
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ticket) + " at " + std::to_string(c.position));
    Race race;
    race.s.UmatanKaime[c.position] = c.ticket;
    race.Pay(hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout, hr::UmatanPayouts_Popularity, 0, "0703",
             "000002500", "002");
    const auto lines = race.Check();
    EXPECT_EQ(lines, c.line ? std::vector<std::string>{c.line} : std::vector<std::string>{});
    EXPECT_EQ(race.Label(kSumUmatan), c.label);
    EXPECT_EQ(race.Pos(kSumUmatan), c.pos);
    EXPECT_EQ(race.s.TierTally[c.block].Hits[0], c.line ? 1 : 0);
  }
}

TEST(TierHitCheckTest, TrifectaOrdersLabelsAndTheEntryWithoutResult) {
  struct Case {
    int position;
    const char* first_entry;  // before the winning one
    const char* line;
    const char* label;
    const char* pos;
    int races;
  };
  // Base triple 05 14 08; the result 14→05→08 is order 3 (b a c).
  const Case cases[] = {
      {5, nullptr, "\"AT\",\"1\",\"7\",\"本線5第3順的中 \",\"14→ 5→ 8\",\"98760\"\r\n", "本線5第3順目", "27 120", 1},
      {10, nullptr, "\"AT\",\"1\",\"7\",\"準本線3第3順 的中\",\"14→ 5→ 8\",\"98760\"\r\n", "準本3第3順目", "57 120", 1},
      {30, nullptr, nullptr, "          ", "177 120", 1},
      {5, "000000", nullptr, "          ", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    Race race;
    race.s.SanrentanKaime[c.position] = "051408";
    uint32_t i = 0;
    if (c.first_entry)
      race.Pay(hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout, hr::SanrentanPayouts_Popularity, i++,
               c.first_entry, "000000000", "0000");
    race.Pay(hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout, hr::SanrentanPayouts_Popularity, i,
             "140508", "000098760", "0120");
    EXPECT_EQ(race.Check(), c.line ? std::vector<std::string>{c.line} : std::vector<std::string>{});
    EXPECT_EQ(race.Label(kSumSanrentan), c.label);
    EXPECT_EQ(race.Pos(kSumSanrentan), c.pos);
    EXPECT_EQ(race.s.TierTally[results::kTierSanrentan].Races, c.races);
  }
}

TEST(TierHitCheckTest, TrioAndFiveRunnerPairs) {
  Race race;
  race.s.PairCount = 10;  // 5 runners: position 8 is still 準本線 point 2
  race.s.UmarenKaime[8] = "0204";
  race.s.SanrenpukuKaime[15] = "010203";
  race.Pay(hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, hr::UmarenPayouts_Popularity, 0, "0204",
           "000000990", "004");
  race.Pay(hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout, hr::SanrenpukuPayouts_Popularity, 0,
           "010203", "000003330", "011");
  EXPECT_EQ(race.Check(), (std::vector<std::string>{"\"AT\",\"1\",\"1\",\"準本線2点目 的中\",\" 2- 4\",\"990\"\r\n",
                                                     "\"AT\",\"2\",\"6\",\"伏兵1点目 的中\",\" 1- 2- 3\",\"3330\"\r\n"}));
  EXPECT_EQ(race.s.TierTally[results::kTierSanrenpuku].Hits[2], 1);
  EXPECT_EQ(race.s.TierTally[results::kTierSanrenpuku].PayTotal[2], 3330);
  EXPECT_EQ(race.s.TierTally[results::kTierSanrenpuku].Races, 1);
}

TEST(TierHitCheckTest, ABlankPayoutOnAMatchSkipsThatMatchAlone) {
  Race race;
  race.s.UmarenKaime[1] = "0102";
  race.s.UmarenKaime[2] = "0103";
  race.Pay(hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, hr::UmarenPayouts_Popularity, 0, "0102", "", "001");
  race.Pay(hr::WidePayouts_Combination, hr::WidePayouts_Payout, hr::WidePayouts_Popularity, 0, "0103", "000000150",
           "002");
  EXPECT_EQ(race.Check(), std::vector<std::string>{"\"AT\",\"2\",\"2\",\"本線2点目 的中\",\" 1- 3\",\"150\"\r\n"});
  EXPECT_EQ(race.failures.items.size(), 1u);
  EXPECT_EQ(race.s.TierTally[results::kTierUmaren].Hits[0], 0);
  EXPECT_EQ(race.Label(kSumUmaren), kTen);
  EXPECT_EQ(race.s.TierTally[results::kTierWide].Hits[0], 1);
}

}  // namespace
}  // namespace radadovur::documents
