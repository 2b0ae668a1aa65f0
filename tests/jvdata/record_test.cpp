#include "jvdata/record.h"

#include <gtest/gtest.h>

#include "common/cp932.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_odds.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "support/record_builder.h"

namespace radadovur {
namespace {

using testing::MakeRecord;

// Every byte distinct from a blank, so a misplaced field shows.
std::string Patterned(RecordType type) {
  const Layout* layout = DeliveredLayout(type);
  std::string r(layout->length, ' ');
  for (size_t i = 2; i + 2 < r.size(); ++i) r[i] = static_cast<char>('0' + (i * 7) % 43);
  r.replace(0, 2, std::string(layout->spec));
  r.replace(r.size() - 2, 2, "\r\n");
  return r;
}

TEST(Record, StoredFormEqualsDeliveredBytesForAllButJockeys) {
  for (RecordType type : {RecordType::RA, RecordType::SE, RecordType::HR, RecordType::UM}) {
    const std::string delivered = Patterned(type);
    EXPECT_EQ(StoredForm(type, delivered), delivered) << SpecOf(type);
    EXPECT_EQ(TypeOf(delivered), type);
  }
}

TEST(Record, JockeyPrizeTotalsKeepTheirFirstNineCharacters) {
  std::vector<testing::FieldValue> values = {{ks::KishuCode, "01234"},
                                             {ks::KishuFullName, ToCp932("武田　一郎")}};
  for (uint32_t b = 0; b < 3; ++b) {
    values.push_back({ks::YearRecords_SetYear, std::to_string(2024 - b), b});
    values.push_back({ks::YearRecords_FlatPrizeTotal, "123456789" + std::to_string(b), b});
    values.push_back({ks::YearRecords_HurdlePrizeTotal, "987654321X", b});
    values.push_back({ks::YearRecords_FlatAddedTotal, "555555555Y", b});
    values.push_back({ks::YearRecords_HurdleAddedTotal, "444444444Z", b});
    values.push_back({ks::YearRecords_DistancePlaces, "000042", b, 35});
  }
  const std::string delivered = MakeRecord(RecordType::KS, values);
  ASSERT_EQ(delivered.size(), 4173u);
  const std::string stored = StoredForm(RecordType::KS, delivered);
  ASSERT_EQ(stored.size(), 4161u);
  EXPECT_EQ(stored.substr(0, 1015), delivered.substr(0, 1015));
  EXPECT_EQ(stored.substr(1019, 9), "123456789");  // the tenth digit is lost
  EXPECT_EQ(stored.substr(1028, 9), "987654321");
  EXPECT_EQ(stored.substr(3111, 4), "2022");
  EXPECT_EQ(ks_stored::YearRecords_FlatPrizeTotal.Str(stored, 2), "123456789");
  EXPECT_EQ(ks_stored::YearRecords_HurdleAddedTotal.Str(stored, 1), "444444444");
  EXPECT_EQ(ks_stored::YearRecords_DistancePlaces.Str(stored, 2, 35), "000042");
  EXPECT_EQ(stored.substr(4159), "\r\n");
  // Every other byte moves unchanged: dropping the four tenth characters per block gives the stored form.
  std::string expected = delivered;
  for (int b = 2; b >= 0; --b)
    for (int t = 3; t >= 0; --t) expected.erase(1015 + 1052 * b + 4 + 10 * t + 9, 1);
  EXPECT_EQ(stored, expected);
}

TEST(Record, DoubleByteNameFillsItsFieldExactly) {
  const std::string name = ToCp932("ジャパンカップダートジャパンカップダートジャパンカップダート");
  ASSERT_EQ(name.size(), 60u);
  const std::string r = MakeRecord(RecordType::RA, {{ra::RaceName, name}});
  const ParsedRecord p = ParseRaceRecord(r);
  EXPECT_EQ(Utf8Length(*DecodeCp932(p.Get(ra::RaceName))), 30u);
  EXPECT_EQ(CopyRaceRecord(p), r);
}

TEST(Record, ShortRecordLeavesLaterFieldsBlank) {
  const std::string full = Patterned(RecordType::RA);
  const std::string short_text = full.substr(0, 100);
  const ParsedRecord p = ParseRaceRecord(short_text);
  EXPECT_EQ(p.Get(ra::RaceName), full.substr(32, 60));
  EXPECT_EQ(p.Get(ra::RaceSubtitle), full.substr(92, 8));
  EXPECT_EQ(p.Get(ra::RaceNameParen), "");
  const std::string stored = CopyRaceRecord(p);
  ASSERT_EQ(stored.size(), 1272u);
  EXPECT_EQ(stored.substr(0, 100), short_text);
  EXPECT_EQ(stored.substr(100), std::string(1172, ' '));  // line end included
}

TEST(Record, LongRecordIsCutAndGarbledBytesKept) {
  std::string r = Patterned(RecordType::SE);
  r.replace(40, 4, "\x81\xFF\xA0\x80");  // not valid CP932
  const std::string stored = StoredForm(RecordType::SE, r + "EXTRA BYTES");
  EXPECT_EQ(stored, r);
}

TEST(Record, TakeFieldAdvancesPastTheEnd) {
  const std::string r = Patterned(RecordType::RA);
  size_t pos = 1;
  for (const auto& f : ListFields(*DeliveredLayout(RecordType::RA), r)) TakeField(r, pos, f.bytes.size());
  EXPECT_EQ(pos, 1273u);
  pos = 1270;
  EXPECT_EQ(TakeField("abc", pos, 5), "");
  EXPECT_EQ(pos, 1275u);
  pos = 2;
  EXPECT_EQ(TakeField("abc", pos, 5), "bc");
  EXPECT_EQ(pos, 7u);
}

TEST(Record, TrifectaLineOfFullLengthParses) {
  std::string line = MakeRecord(RecordType::O6, {{odds::RaceNum, "11"}});
  for (uint32_t e = 0; e < odds::kTrifecta.entries; ++e)
    line.replace(odds::kTrifecta.Odds().At(e), 7, e == 4895 ? "0012345" : "-------");
  line.replace(odds::kTrifecta.TotalVotes().offset, 11, "00000012345");
  line.resize(line.size() - 2);  // as read back from an odds text file: no line end
  ASSERT_EQ(line.size(), 83283u);
  const ParsedRecord p = ParseTrifectaOddsRecord(line);
  EXPECT_EQ(p.Get(odds::kTrifecta.Odds(), 4895), "0012345");
  EXPECT_EQ(p.Get(odds::kTrifecta.TotalVotes()), "00000012345");
  EXPECT_EQ(p.Get(odds::kTrifecta.LineEnd()), "");
  size_t pos = 1;
  for (const auto& f : ListFields(*p.layout, line))
    if (f.name != "LineEnd") TakeField(line, pos, f.bytes.size());
  EXPECT_EQ(pos, 83284u);  // one past TotalVotes; the line end comes out empty
}

TEST(Record, NoOddsFillings) {
  struct Case {
    const char* text;
    bool none;
  } cases[] = {{"000000", true}, {"------", true}, {"******", true}, {"      ", true},
               {"000123", false}, {"--0---", false}, {"0000000", true}, {"", true}};
  for (const auto& c : cases) EXPECT_EQ(odds::IsNoOdds(c.text), c.none) << "[" << c.text << "]";
}

TEST(Record, UnknownTypesHaveNoLayout) {
  EXPECT_EQ(TypeOf("O3xxxx"), RecordType::Unknown);
  EXPECT_EQ(TypeOf("R"), RecordType::Unknown);
  EXPECT_EQ(DeliveredLayout(RecordType::Unknown), nullptr);
  EXPECT_EQ(StoredForm(RecordType::O1, Patterned(RecordType::O1)), "");
  EXPECT_EQ(LayoutByLength(RecordType::KS, 4161)->length, 4161u);
  EXPECT_EQ(LayoutByLength(RecordType::KS, 4173)->length, 4173u);
}

}  // namespace
}  // namespace radadovur
