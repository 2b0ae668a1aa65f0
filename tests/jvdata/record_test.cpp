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
std::string Patterned(jvdata::RecordType type) {
  const jvdata::Layout* layout = jvdata::DeliveredLayout(type);
  std::string r(layout->length, ' ');
  for (size_t i = 2; i + 2 < r.size(); ++i) r[i] = static_cast<char>('0' + (i * 7) % 43);
  r.replace(0, 2, std::string(layout->spec));
  r.replace(r.size() - 2, 2, "\r\n");
  return r;
}

TEST(Record, StoredFormEqualsDeliveredBytesForAllButJockeys) {
  for (jvdata::RecordType type : {jvdata::RecordType::RA, jvdata::RecordType::SE, jvdata::RecordType::HR, jvdata::RecordType::UM}) {
    const std::string delivered = Patterned(type);
    EXPECT_EQ(jvdata::StoredForm(type, delivered), delivered) << jvdata::SpecOf(type);
    EXPECT_EQ(jvdata::TypeOf(delivered), type);
  }
}

TEST(Record, JockeyPrizeTotalsKeepTheirFirstNineCharacters) {
  std::vector<testing::FieldValue> values = {{jvdata::ks::KishuCode, "01234"},
                                             {jvdata::ks::KishuFullName, common::ToCp932("武田　一郎")}};
  for (uint32_t b = 0; b < 3; ++b) {
    values.push_back({jvdata::ks::YearRecords_SetYear, std::to_string(2024 - b), b});
    values.push_back({jvdata::ks::YearRecords_FlatPrizeTotal, "123456789" + std::to_string(b), b});
    values.push_back({jvdata::ks::YearRecords_HurdlePrizeTotal, "987654321X", b});
    values.push_back({jvdata::ks::YearRecords_FlatAddedTotal, "555555555Y", b});
    values.push_back({jvdata::ks::YearRecords_HurdleAddedTotal, "444444444Z", b});
    values.push_back({jvdata::ks::YearRecords_DistancePlaces, "000042", b, 35});
  }
  const std::string delivered = MakeRecord(jvdata::RecordType::KS, values);
  ASSERT_EQ(delivered.size(), 4173u);
  const std::string stored = jvdata::StoredForm(jvdata::RecordType::KS, delivered);
  ASSERT_EQ(stored.size(), 4161u);
  EXPECT_EQ(stored.substr(0, 1015), delivered.substr(0, 1015));
  EXPECT_EQ(stored.substr(1019, 9), "123456789");  // the tenth digit is lost
  EXPECT_EQ(stored.substr(1028, 9), "987654321");
  EXPECT_EQ(stored.substr(3111, 4), "2022");
  EXPECT_EQ(jvdata::ks_stored::YearRecords_FlatPrizeTotal.Str(stored, 2), "123456789");
  EXPECT_EQ(jvdata::ks_stored::YearRecords_HurdleAddedTotal.Str(stored, 1), "444444444");
  EXPECT_EQ(jvdata::ks_stored::YearRecords_DistancePlaces.Str(stored, 2, 35), "000042");
  EXPECT_EQ(stored.substr(4159), "\r\n");
  // Every other byte moves unchanged: dropping the four tenth characters per block gives the stored form.
  std::string expected = delivered;
  for (int b = 2; b >= 0; --b)
    for (int t = 3; t >= 0; --t) expected.erase(1015 + 1052 * b + 4 + 10 * t + 9, 1);
  EXPECT_EQ(stored, expected);
}

TEST(Record, DoubleByteNameFillsItsFieldExactly) {
  const std::string name = common::ToCp932("ジャパンカップダートジャパンカップダートジャパンカップダート");
  ASSERT_EQ(name.size(), 60u);
  const std::string r = MakeRecord(jvdata::RecordType::RA, {{jvdata::ra::RaceName, name}});
  const jvdata::ParsedRecord p = jvdata::ParseRecord(jvdata::RecordType::RA, r);
  EXPECT_EQ(common::Utf8Length(*common::DecodeCp932(p.Get(jvdata::ra::RaceName))), 30u);
  EXPECT_EQ(jvdata::StoredForm(jvdata::RecordType::RA, p.delivered), r);
}

TEST(Record, ShortRecordLeavesLaterFieldsBlank) {
  const std::string full = Patterned(jvdata::RecordType::RA);
  const std::string short_text = full.substr(0, 100);
  const jvdata::ParsedRecord p = jvdata::ParseRecord(jvdata::RecordType::RA, short_text);
  EXPECT_EQ(p.Get(jvdata::ra::RaceName), full.substr(32, 60));
  EXPECT_EQ(p.Get(jvdata::ra::RaceSubtitle), full.substr(92, 8));
  EXPECT_EQ(p.Get(jvdata::ra::RaceNameParen), "");
  const std::string stored = jvdata::StoredForm(jvdata::RecordType::RA, p.delivered);
  ASSERT_EQ(stored.size(), 1272u);
  EXPECT_EQ(stored.substr(0, 100), short_text);
  EXPECT_EQ(stored.substr(100), std::string(1172, ' '));  // line end included
}

TEST(Record, LongRecordIsCutAndGarbledBytesKept) {
  std::string r = Patterned(jvdata::RecordType::SE);
  r.replace(40, 4, "\x81\xFF\xA0\x80");  // not valid CP932
  const std::string stored = jvdata::StoredForm(jvdata::RecordType::SE, r + "EXTRA BYTES");
  EXPECT_EQ(stored, r);
}

TEST(Record, ListedFieldsCoverTheRecord) {
  const std::string r = Patterned(jvdata::RecordType::RA);
  std::string joined;
  for (const auto& f : jvdata::ListFields(*jvdata::DeliveredLayout(jvdata::RecordType::RA), r)) joined += f.bytes;
  EXPECT_EQ(joined, r);
}

TEST(Record, TrifectaLineOfFullLengthParses) {
  std::string line = MakeRecord(jvdata::RecordType::O6, {{jvdata::odds::RaceNum, "11"}});
  for (uint32_t e = 0; e < jvdata::odds::kTrifecta.entries; ++e)
    line.replace(jvdata::odds::kTrifecta.Odds().At(e), 7, e == 4895 ? "0012345" : "-------");
  line.replace(jvdata::odds::kTrifecta.TotalVotes().offset, 11, "00000012345");
  line.resize(line.size() - 2);  // as read back from an odds text file: no line end
  ASSERT_EQ(line.size(), 83283u);
  const jvdata::ParsedRecord p = jvdata::ParseRecord(jvdata::RecordType::O6, line);
  EXPECT_EQ(p.Get(jvdata::odds::kTrifecta.Odds(), 4895), "0012345");
  EXPECT_EQ(p.Get(jvdata::odds::kTrifecta.TotalVotes()), "00000012345");
  EXPECT_EQ(p.Get(jvdata::odds::kTrifecta.LineEnd()), "");
  size_t listed = 0;  // the fields run up to TotalVotes; the line end comes out empty
  for (const auto& f : jvdata::ListFields(*p.layout, line)) listed += f.bytes.size();
  EXPECT_EQ(listed, 83283u);
}

TEST(Record, NoOddsFillings) {
  struct Case {
    const char* text;
    bool none;
  } cases[] = {{"000000", true}, {"------", true}, {"******", true}, {"      ", true},
               {"000123", false}, {"--0---", false}, {"0000000", true}, {"", true}};
  for (const auto& c : cases) EXPECT_EQ(jvdata::odds::IsNoOdds(c.text), c.none) << "[" << c.text << "]";
}

TEST(Record, UnknownTypesHaveNoLayout) {
  EXPECT_EQ(jvdata::TypeOf("O3xxxx"), jvdata::RecordType::Unknown);
  EXPECT_EQ(jvdata::TypeOf("R"), jvdata::RecordType::Unknown);
  EXPECT_EQ(jvdata::DeliveredLayout(jvdata::RecordType::Unknown), nullptr);
  EXPECT_EQ(jvdata::StoredForm(jvdata::RecordType::O1, Patterned(jvdata::RecordType::O1)), "");
}

}  // namespace
}  // namespace radadovur

namespace radadovur {
namespace {

// Whole records with their type tags and line ends, or the first record that is not.
TEST(Record, CheckRecordsFindsTheFirstBadRecord) {
  const jvdata::Layout& se = *jvdata::StoredLayout(jvdata::RecordType::SE);
  const std::string r = Patterned(jvdata::RecordType::SE);
  const std::string three = r + r + r;
  const std::string short_stored = jvdata::StoredForm(jvdata::RecordType::SE, r.substr(0, 300));
  struct Case {
    const char* what;
    std::string bytes;
    size_t first_bad;
    const char* reason;
  };
  const Case cases[] = {
      {"empty", "", 0, ""},
      {"sound", three, 0, ""},
      {"a short delivered record, padded", r + short_stored, 0, ""},
      // The record that took the damage is named: its line end is out of place.
      {"a byte inserted in record 2", r + r.substr(0, 9) + "x" + r.substr(9) + r.substr(1), 2, "改行で終わっていません"},
      {"a byte deleted from record 1", r.substr(0, 9) + r.substr(10) + r + "x", 1, "改行で終わっていません"},
      {"cut short", three.substr(0, three.size() - 1), 3, "途中で切れています（555 バイトのうち 554 バイト）"},
      {"a line end lost", r.substr(0, 553) + "xx" + r, 1, "改行"},
      {"race records", Patterned(jvdata::RecordType::RA), 1, "\"SE\" で始まっていません"},
  };
  for (const auto& c : cases) {
    const jvdata::RecordCheck check = jvdata::CheckRecords(c.bytes, se);
    EXPECT_EQ(check.first_bad, c.first_bad) << c.what;
    EXPECT_NE(check.reason.find(c.reason), std::string::npos) << c.what << ": " << check.reason;
  }
}

}  // namespace
}  // namespace radadovur
