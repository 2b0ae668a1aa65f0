#include "store/odds_matrix.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <sys/stat.h>

#include "common/names.h"
#include "common/text_file.h"
#include "support/odds_record.h"
#include "support/temp_folder.h"

namespace radadovur::testing {
namespace {

using jvdata::RecordType;
namespace names = common::names;

constexpr const char* kRaceA = "2024080305020101";  // "202408030501"
constexpr const char* kRaceB = "2024080305020102";  // "202408030502"

class OddsMatrixTest : public ::testing::Test {
 protected:
  void SetUp() override { ::mkdir((app_ + "KAIME").c_str(), 0755); }
  void Put(std::string_view name, const std::string& bytes) {
    ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(name), bytes).ok());
  }
  // The lines of a matrix file; empty when it does not exist.
  std::vector<std::string> Lines(const std::string& key, const char* suffix) {
    auto bytes = common::ReadWholeFile(app_ + "KAIME/" + key + suffix);
    if (!bytes) return {};
    EXPECT_EQ(bytes->substr(bytes->size() - 2), "\r\n");
    return common::SplitLines(*bytes);
  }
  // Lines that are not "0", as "line=value".
  std::vector<std::string> Values(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i] != "0") out.push_back(std::to_string(i) + "=" + lines[i]);
    return out;
  }

  TempFolder folder_{"rdv_odds_matrix"};
  std::string app_ = folder_.app_path();
};

TEST(OddsText, WholeTenthsWithoutBinaryRounding) {
  const std::pair<int32_t, const char*> cases[] = {{123, "12.3"}, {50, "5"},       {0, "0"},
                                                   {5, "0.5"},    {1001, "100.1"}, {9999999, "999999.9"}};
  for (auto [tenths, text] : cases) EXPECT_EQ(store::OddsText(tenths), text) << tenths;
}

TEST_F(OddsMatrixTest, EachKindLandsOnTheLineOfItsHorseNumbers) {
  Put(names::kO4ThisWeek, OddsRecordBuilder(RecordType::O4, kRaceA).Odds("0307", "000123").Odds("0703", "------").Build());
  Put(names::kO2ThisWeek, OddsRecordBuilder(RecordType::O2, kRaceA).Odds("0307", "000123").Odds("0102", "      ").Build());
  Put(names::kO5ThisWeek, OddsRecordBuilder(RecordType::O5, kRaceA).Odds("010203", "000015").Build());
  Put(names::kO6ThisWeek, OddsRecordBuilder(RecordType::O6, kRaceA)
                              .Odds("180216", "0000050")
                              .Odds("181716", "-------")
                              .Odds("010203", "*******")
                              .Odds("020103", "0123456")
                              .Build());
  int yields = 0;  // after each record: the window repaints while a large week's matrices are written
  const store::OddsMatrixReport report = store::BuildOddsMatrices(app_, 0, [&yields] { ++yields; });
  EXPECT_TRUE(report.failures.empty()) << report.failures.Texts().front();
  EXPECT_TRUE(report.missing_files.empty());
  EXPECT_EQ(report.records, 4);
  EXPECT_EQ(report.files_written, 4);
  EXPECT_EQ(yields, 4);

  const std::string key = "202408030501";
  const auto exacta = Lines(key, "UMATANODDS.dat");
  const auto quinella = Lines(key, "UMARENODDS.dat");
  const auto trio = Lines(key, "SANRENODDS.dat");
  const auto trifecta = Lines(key, "SANRENTANODDS.dat");
  EXPECT_EQ(exacta.size(), 361u);
  EXPECT_EQ(quinella.size(), 361u);
  EXPECT_EQ(trio.size(), 6859u);
  EXPECT_EQ(trifecta.size(), 6859u);
  EXPECT_EQ(Values(exacta), (std::vector<std::string>{"64=12.3"}));  // 3 * 19 + 7; "------" is 0
  EXPECT_EQ(Values(quinella), (std::vector<std::string>{"64=12.3"}));
  EXPECT_EQ(Values(trio), (std::vector<std::string>{"402=1.5"}));  // 1 * 361 + 2 * 19 + 3
  // 18, 2, 16 on 6552 and 2, 1, 3 on 744; "-------" (6837) and "*******" (402) give 0.
  EXPECT_EQ(Values(trifecta), (std::vector<std::string>{"744=12345.6", "6552=5"}));
}

TEST_F(OddsMatrixTest, TheLaterRecordOfARaceWinsAndNothingCarriesToTheNextRace) {
  Put(names::kO2ThisWeek, OddsRecordBuilder(RecordType::O2, kRaceA).Odds("0307", "000123").Odds("0102", "000050").Build() +
                              OddsRecordBuilder(RecordType::O2, kRaceB).Odds("0405", "000200").Build() +
                              OddsRecordBuilder(RecordType::O2, kRaceA).Odds("0307", "000077").Build());
  const store::OddsMatrixReport report = store::BuildOddsMatrices(app_, 0);
  EXPECT_EQ(report.records, 3);
  EXPECT_EQ(Values(Lines("202408030501", "UMARENODDS.dat")), (std::vector<std::string>{"64=7.7"}));
  EXPECT_EQ(Values(Lines("202408030502", "UMARENODDS.dat")), (std::vector<std::string>{"81=20"}));
  // The three other kinds' files are missing: read as empty, told once, no failure.
  EXPECT_EQ(report.missing_files,
            (std::vector<std::string>{"O6THISWEEKN.dat", "O5THISWEEKN.dat", "O4THISWEEKN.dat"}));
  EXPECT_TRUE(report.failures.empty());
}

// The matrix is cleared before each record: a cell a later record of the race leaves unnamed
// (a blank Combination) or garbled (odds that are no number) must not keep the earlier odds.
TEST_F(OddsMatrixTest, ACellALaterRecordLeavesUnnamedOrGarbledIsNotCarriedOver) {
  Put(names::kO2ThisWeek, OddsRecordBuilder(RecordType::O2, kRaceA).Odds("0307", "000123").Odds("0102", "000050").Build() +
                              OddsRecordBuilder(RecordType::O2, kRaceA)
                                  .Odds("0307", "00x123")   // garbled
                                  .Combination(0, "    ")  // entry 0 ("0102") names no horse
                                  .Build());
  const store::OddsMatrixReport report = store::BuildOddsMatrices(app_, 0);
  EXPECT_EQ(report.records, 2);
  EXPECT_EQ(report.skipped_entries, 1);
  EXPECT_EQ(Values(Lines("202408030501", "UMARENODDS.dat")), std::vector<std::string>{});
}

// A small field's unused entries carry no horse number ("00" or blanks): routine, no failure.
TEST_F(OddsMatrixTest, EntriesWithoutAHorseNumberArePassedOverWithoutAFailure) {
  OddsRecordBuilder small(RecordType::O6, kRaceA);
  small.Odds("010203", "0000015");
  for (uint32_t i = 100; i < 4896; ++i) small.Combination(i, i % 2 ? "      " : "000000");
  Put(names::kO6ThisWeek, small.Build());
  const store::OddsMatrixReport report = store::BuildOddsMatrices(app_, 0);
  EXPECT_EQ(report.files_written, 1);
  EXPECT_EQ(report.skipped_entries, 0);
  EXPECT_TRUE(report.failures.empty()) << report.failures.Texts().front();
  EXPECT_EQ(Values(Lines("202408030501", "SANRENTANODDS.dat")), (std::vector<std::string>{"402=1.5"}));
}

TEST_F(OddsMatrixTest, TheSourceChoosesTheFilesAndAnEmptyFileWritesNothing) {
  for (const auto& pass : store::kOddsPasses) Put(pass.realtime_file, "");
  Put(names::kO4ThisWeek, OddsRecordBuilder(RecordType::O4, kRaceA).Build());
  Put(names::kO4Realtime, OddsRecordBuilder(RecordType::O4, kRaceB).Odds("0102", "000011").Build());
  store::OddsMatrixReport report = store::BuildOddsMatrices(app_, 1);
  EXPECT_EQ(report.files_written, 1);
  EXPECT_TRUE(report.missing_files.empty());
  EXPECT_EQ(Values(Lines("202408030502", "UMATANODDS.dat")), (std::vector<std::string>{"21=1.1"}));
  EXPECT_TRUE(Lines("202408030501", "UMATANODDS.dat").empty());
  report = store::BuildOddsMatrices(app_, 2);  // no source: nothing read
  EXPECT_EQ(report.records, 0);
  EXPECT_TRUE(report.missing_files.empty());
}

TEST_F(OddsMatrixTest, UnusableEntriesAndLinesAreSkippedAndReported) {
  const std::string good = OddsRecordBuilder(RecordType::O2, kRaceA)
                               .Odds("0307", "000123")
                               .Odds("0102", "00x123")  // garbled odds
                               .Combination(2, "0319")  // no horse 19: entry 2 is "0104"
                               .Combination(3, "    ")  // an unused entry: passed over
                               .Combination(4, "03  ")  // one horse without a number: garbled
                               .Build();
  std::string bad_race = OddsRecordBuilder(RecordType::O2, kRaceB).Build();
  bad_race.replace(19, 2, "/.");  // a race id that names no file of the folder
  const std::string other_kind = OddsRecordBuilder(RecordType::O4, kRaceB).Build();
  Put(names::kO2ThisWeek, good + bad_race + "\r\n" + other_kind);  // an empty line is no record either
  const store::OddsMatrixReport report = store::BuildOddsMatrices(app_, 0);
  EXPECT_EQ(report.records, 1);
  EXPECT_EQ(report.skipped_entries, 3);
  EXPECT_EQ(Values(Lines("202408030501", "UMARENODDS.dat")), (std::vector<std::string>{"64=12.3"}));
  ASSERT_EQ(report.failures.items.size(), 2u);
  EXPECT_EQ(report.failures.Texts()[0], "O2THISWEEKN.dat: 3 行がレースの O2 レコードではありません（最初は 2 行目）");
  EXPECT_EQ(report.failures.Texts()[1],
            "O2THISWEEKN.dat: 3 項目を飛ばしました（馬番が 1〜18 の外か、オッズが数字ではありません）");
}

// Only whole records are read: a damaged one would give every odds after the damage to the wrong
// tickets. Race A's sound record is read, race B's damaged one is named and writes no matrix.
TEST_F(OddsMatrixTest, ADamagedRecordWritesNoMatrixAndIsNamed) {
  const std::string sound_a = OddsRecordBuilder(RecordType::O2, kRaceA).Odds("0307", "000123").Build();
  const std::string sound_b = OddsRecordBuilder(RecordType::O2, kRaceB).Odds("0102", "000011").Odds("1718", "000456").Build();
  const size_t middle = sound_b.size() / 2;
  const std::pair<const char*, std::string> damages[] = {
      {"a byte taken out", std::string(sound_b).erase(middle, 1)},
      {"a byte put in", std::string(sound_b).insert(middle, "0")},
      {"LF without CR", sound_b.substr(0, sound_b.size() - 2) + " \n"},
      {"cut short at the end of the file", sound_b.substr(0, sound_b.size() - 1)},
  };
  for (const auto& [what, damaged] : damages) {
    std::remove((app_ + "KAIME/202408030502UMARENODDS.dat").c_str());
    Put(names::kO2ThisWeek, sound_a + damaged);
    const store::OddsMatrixReport report = store::BuildOddsMatrices(app_, 0);
    EXPECT_EQ(report.records, 1) << what;
    EXPECT_EQ(Values(Lines("202408030501", "UMARENODDS.dat")), (std::vector<std::string>{"64=12.3"})) << what;
    EXPECT_TRUE(Lines("202408030502", "UMARENODDS.dat").empty()) << what;
    ASSERT_EQ(report.failures.items.size(), 1u) << what;
    EXPECT_EQ(report.failures.Texts()[0], "O2THISWEEKN.dat: 1 行がレースの O2 レコードではありません（最初は 2 行目）")
        << what;
  }
}

TEST_F(OddsMatrixTest, AFailedWriteIsReportedAndTheOtherRacesAreWritten) {
  ASSERT_EQ(::mkdir((app_ + "KAIME/202408030501UMARENODDS.dat.new~").c_str(), 0755), 0);  // blocks the temporary file
  Put(names::kO2ThisWeek, OddsRecordBuilder(RecordType::O2, kRaceA).Build() + OddsRecordBuilder(RecordType::O2, kRaceB).Build());
  const store::OddsMatrixReport report = store::BuildOddsMatrices(app_, 0);
  EXPECT_EQ(report.files_written, 1);
  ASSERT_EQ(report.failures.items.size(), 1u);
  EXPECT_NE(report.failures.Texts()[0].find("202408030501UMARENODDS.dat"), std::string::npos);
  EXPECT_EQ(Lines("202408030502", "UMARENODDS.dat").size(), 361u);
}

}  // namespace
}  // namespace radadovur::testing
