#include "jvdata/odds_entry.h"

#include <gtest/gtest.h>

#include "support/odds_record.h"

namespace radadovur::testing {
namespace {

using jvdata::odds::EntryOdds;
using jvdata::odds::EntryRead;

TEST(OddsEntry, EntriesReadAsHorseNumbersAndTenths) {
  struct Case {
    std::string combination, odds;
    EntryRead read;
    std::array<int, 3> horses;
    int32_t tenths;
  };
  const Case cases[] = {
      {"0307", "000123", EntryRead::kOk, {3, 7, 0}, 123},
      {" 307", "   123", EntryRead::kOk, {3, 7, 0}, 123},  // leading blanks
      {"0307", "000000", EntryRead::kOk, {3, 7, 0}, 0},    // the four no-value fillings
      {"0307", "------", EntryRead::kOk, {3, 7, 0}, 0},
      {"0307", "******", EntryRead::kOk, {3, 7, 0}, 0},
      {"0307", "      ", EntryRead::kOk, {3, 7, 0}, 0},
      {"0307", "0012a3", EntryRead::kBadOdds, {}, 0},
      {"0307", "00-123", EntryRead::kBadOdds, {}, 0},
      {"    ", "      ", EntryRead::kNoHorse, {}, 0},  // an unused entry: no horse, nothing written
      {"0000", "000000", EntryRead::kNoHorse, {}, 0},
      {"    ", "000123", EntryRead::kNoHorse, {}, 0},
      {"0019", "000123", EntryRead::kBadHorse, {}, 0},
      {"0300", "000123", EntryRead::kBadHorse, {}, 0},
      {"0A07", "000123", EntryRead::kBadHorse, {}, 0},
  };
  for (const Case& c : cases) {
    const std::string record = OddsRecordBuilder(jvdata::RecordType::O4, "2024080305020101")
                                   .Combination(0, c.combination)
                                   .Odds("0102", c.odds)
                                   .Build();
    EntryOdds e;
    EXPECT_EQ(jvdata::odds::ReadEntry(jvdata::odds::kExacta, record, 0, e), c.read) << c.combination << c.odds;
    if (c.read != EntryRead::kOk) continue;
    EXPECT_EQ(e.horses, c.horses) << c.combination;
    EXPECT_EQ(e.tenths, c.tenths) << c.odds;
  }
}

TEST(OddsEntry, TheLastTrifectaEntryAndARecordCutShort) {
  const std::string record =
      OddsRecordBuilder(jvdata::RecordType::O6, "2024080305020101").Odds("181716", "9999999").Build();
  EntryOdds e;
  ASSERT_EQ(jvdata::odds::ReadEntry(jvdata::odds::kTrifecta, record, 4895, e), EntryRead::kOk);
  EXPECT_EQ(e.horses, (std::array<int, 3>{18, 17, 16}));
  EXPECT_EQ(e.tenths, 9999999);
  // A line cut inside the last entry's odds: that entry is unusable, the one before is not.
  const std::string cut = record.substr(0, 83255 + 6 + 3);
  EXPECT_EQ(jvdata::odds::ReadEntry(jvdata::odds::kTrifecta, cut, 4895, e), EntryRead::kBadOdds);
  EXPECT_EQ(jvdata::odds::ReadEntry(jvdata::odds::kTrifecta, cut, 4894, e), EntryRead::kOk);
}

}  // namespace
}  // namespace radadovur::testing
