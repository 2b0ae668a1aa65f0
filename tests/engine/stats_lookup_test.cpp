// Statistics files: the first record of a key wins, a missing file is never created, a partial
// last record is ignored, a rewritten extract is seen at once; and the figures the coders form.
#include "engine/stats_lookup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/text_file.h"
#include "engine/model_fixture.h"
#include "engine/stats_layout.h"

namespace radadovur::engine {
namespace {

namespace fs = std::filesystem;
using testing::TempProgramFolder;

// A record of `length` bytes: key, one column value, CR LF.
std::string Record(size_t length, const std::string& key, const jvdata::Field& column = {}, const std::string& value = "") {
  std::string r(length, ' ');
  r.replace(0, key.size(), key);
  if (!value.empty()) r.replace(column.offset, value.size(), value);
  r.replace(length - 2, 2, "\r\n");
  return r;
}

class StatsLookupTest : public ::testing::Test {
 protected:
  std::string Path(std::string_view name) const { return folder_.app_path() + "OPTION1N/" + std::string(name); }
  // Column A1 of the found KyosobaStatsRecord, or "none".
  std::string HorseA1(const std::string& ketto) {
    const auto r = lookup_.Find(stats_files::kKyosobaThisWeek, kyosoba_stats::kLength, kyosoba_stats::kKeyWidth, ketto);
    return r ? NumberText(ColumnValue(*r, Column(kyosoba_stats::A, 1))) : "none";
  }
  static std::string NumberText(double v) { return std::to_string(static_cast<long long>(v)); }

  TempProgramFolder folder_;
  StatsLookup lookup_{folder_.app_path()};
};

TEST_F(StatsLookupTest, FirstRecordOfAKeyWinsAndAPartialLastRecordIsIgnored) {
  const jvdata::Field a1 = Column(kyosoba_stats::A, 1);
  const std::string tail = Record(kyosoba_stats::kLength, "2020100003", a1, "000300");
  folder_.Write("OPTION1N/KYOSOBATHISWEEK.dat", Record(228, "2020100001", a1, "012000") +
                                                    Record(228, "2020100002", a1, "004000") +
                                                    Record(228, "2020100001", a1, "099999") + tail.substr(0, 227));
  EXPECT_EQ(HorseA1("2020100001"), "12000");
  EXPECT_EQ(HorseA1("2020100002"), "4000");
  EXPECT_EQ(HorseA1("2020100003"), "none");
  EXPECT_EQ(HorseA1("202010000"), "none");  // the key is compared at its full width
  EXPECT_EQ(HorseA1("2020100004"), "none");
}

TEST_F(StatsLookupTest, AMissingFileReadsAsEmptyAndIsNotCreated) {
  EXPECT_EQ(lookup_.Find(stats_files::kStallion, stallion_stats::kLength, 10, "1100001007"), std::nullopt);
  EXPECT_FALSE(fs::exists(Path(stats_files::kStallion)));
  fs::remove_all(folder_.app_path() + "OPTION1N");
  EXPECT_EQ(lookup_.Find(stats_files::kStallion, stallion_stats::kLength, 10, "1100001007"), std::nullopt);
  EXPECT_FALSE(fs::exists(folder_.app_path() + "OPTION1N"));
}

TEST_F(StatsLookupTest, ALookupSeesTheExtractAsItWasLastWritten) {
  const jvdata::Field a1 = Column(kyosoba_stats::A, 1);
  folder_.Write("OPTION1N/KYOSOBATHISWEEK.dat", Record(228, "2020100001", a1, "012000"));
  EXPECT_EQ(HorseA1("2020100001"), "12000");
  EXPECT_EQ(HorseA1("2020100002"), "none");
  // Rewritten through a new file, then appended to in place, then emptied.
  folder_.Write("OPTION1N/KYOSOBATHISWEEK.dat", Record(228, "2020100002", a1, "008000"));
  EXPECT_EQ(HorseA1("2020100001"), "none");
  EXPECT_EQ(HorseA1("2020100002"), "8000");
  ASSERT_TRUE(common::AppendToFile(Path(stats_files::kKyosobaThisWeek), Record(228, "2020100001", a1, "000001")).ok());
  EXPECT_EQ(HorseA1("2020100001"), "1");
  folder_.Write("OPTION1N/KYOSOBATHISWEEK.dat", "");
  EXPECT_EQ(HorseA1("2020100002"), "none");
}

TEST_F(StatsLookupTest, AHeldLookupChecksEachFileOnceUntilReleased) {
  const jvdata::Field a1 = Column(kyosoba_stats::A, 1);
  folder_.Write("OPTION1N/KYOSOBATHISWEEK.dat", Record(228, "2020100001", a1, "012000"));
  {
    const StatsLookupHold hold(lookup_);
    EXPECT_EQ(HorseA1("2020100001"), "12000");
    folder_.Write("OPTION1N/KYOSOBATHISWEEK.dat", Record(228, "2020100001", a1, "008000"));
    EXPECT_EQ(HorseA1("2020100001"), "12000");
  }
  EXPECT_EQ(HorseA1("2020100001"), "8000");
}

TEST_F(StatsLookupTest, FindsFilesWhateverTheirCaseAndKeysOfEachWidth) {
  fs::rename(folder_.app_path() + "OPTION1N", folder_.app_path() + "Option1n");
  const jvdata::Field a5 = Column(seisei_stats::A, 5);
  folder_.Write("Option1n/kishuseisei.DAT", Record(121, "01001", a5, "012000") + Record(121, "01002", a5, " 60000"));
  const auto r = lookup_.Find(stats_files::kKishuSeisei, seisei_stats::kLength, seisei_stats::kKeyWidth, "01002");
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(ColumnValue(*r, a5), 60000);
  EXPECT_EQ(ColumnValue(*r, Column(seisei_stats::A, 6)), 0);  // blank reads as 0
  EXPECT_EQ(StatsFileByName("kishuseisei.dat")->length, 121u);
  EXPECT_EQ(StatsFileByName("KYOSOBATHISWEEK.dat")->length, 228u);
  EXPECT_EQ(StatsFileByName("HAHAUMA.dat")->length, 402u);
  EXPECT_EQ(StatsFileByName("KS20200101NEW.dat"), nullptr);  // a jockey master: a record file of its own
}

// The key fields hold digits where the layout says digits; the first record that breaks it is
// named with its file, its number and its key.
TEST(StatsKeys, AKeyThatIsNotDigitsIsNamedWithFileAndRecord) {
  const struct {
    std::string_view file;
    std::string bytes;
    std::string expected;  // empty: sound
  } cases[] = {
      {stats_files::kKishuSeisei, Record(121, "01234") + Record(121, "00000"), ""},
      {stats_files::kKishuSeisei, Record(121, "01234") + Record(121, "01A34"), "2 件目のレコードのキー「01A34」が 5 桁の数字ではありません"},
      {stats_files::kChokyoSeisei, Record(121, "0123 "), "1 件目のレコードのキー「0123 」が 5 桁の数字ではありません"},
      {stats_files::kChokyoSeisei, Record(121, "     "), "1 件目のレコードのキー「     」が 5 桁の数字ではありません"},
      {stats_files::kKyosoba, Record(228, "2019100001") + Record(228, std::string("20191\0""0002", 10)),
       "2 件目のレコードのキー「20191\\x000002」が 10 桁の数字ではありません"},
      {stats_files::kStallion, Record(402, "1234567890"), ""},
      {stats_files::kHahauma, Record(402, "12345-7890"), "1 件目のレコードのキー「12345-7890」が 10 桁の数字ではありません"},
      {stats_files::kHnsk, Record(22, "12345678902019100001"), ""},
      {stats_files::kHnsk, Record(22, "1234567890201910000x"), "1 件目のレコードのキー「201910000x」が 10 桁の数字ではありません"},
  };
  for (const auto& c : cases) {
    const StatsFileKind& kind = *StatsFileByName(c.file);
    const common::Status s = CheckStatsKeys("F.dat", c.bytes, kind);
    if (c.expected.empty()) {
      EXPECT_TRUE(s.ok()) << c.file << ": " << s.ToString();
      continue;
    }
    EXPECT_TRUE(s.IsCorruption()) << c.file;
    EXPECT_EQ(s.ToString(), "F.dat の " + c.expected) << c.file;
  }
}

TEST(StatsFigures, RatioAndLogFiguresAndNullKeys) {
  struct Ratio {
    double value;
    int64_t figure;
  } ratios[] = {{12000, 3}, {60000, 15}, {3999, 0}, {4000, 1}, {0, 0}, {100000, 25},
                // a damaged column ("1e999" and the like) gives no figure
                {HUGE_VAL, 0}, {-HUGE_VAL, 0}, {NAN, 0}, {1e300, 0}};
  for (const auto& r : ratios) EXPECT_EQ(RatioFigure(r.value), r.figure) << r.value;
  struct Log {
    double x;
    std::optional<int64_t> figure;
  } logs[] = {{52000, 47},      {3, 4},     {10000000, 70}, {10000, 40}, {100, 20}, {5000, 36},
              {1.5, 1},         {2500000, 63}, {1, 0},      {0.5, -4},   {0, std::nullopt}, {-3, std::nullopt},
              {HUGE_VAL, std::nullopt}, {NAN, std::nullopt}, {1e308, 3080}};
  for (const auto& l : logs) EXPECT_EQ(LogFigure(l.x), l.figure) << l.x;
  for (const char* key : {"0000000000", "00000", "          ", "     ", ""}) EXPECT_TRUE(IsNullKey(key)) << "[" << key << "]";
  for (const char* key : {"0000000001", "01001", " 0000", "0 0 0"}) EXPECT_FALSE(IsNullKey(key)) << "[" << key << "]";
  EXPECT_EQ(StatsRecordCount(228 * 3 + 227, 228), 3);
}

}  // namespace
}  // namespace radadovur::engine
