#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/calculation_driver.h"
#include "engine_fixture.h"
#include "support/recording_host.h"
#include "support/data_names.h"

namespace radadovur::engine {
namespace {

using common::ProgressSlot;
using testing::ReadBelow;
using testing::Run;
using testing::Set;
using testing::TempProgramFolder;
using RecordingHost = ::radadovur::testing::RecordingHost;

// A turf model: item 1 has the categories "2024" and "2023" (last-600 m 60 and 59, pace 30,
// whole race 61 and 58, ten samples each); the other items have none.
void WriteTurfModel(const TempProgramFolder& folder) {
  WriteModel(folder, ModelSurface::kTurf,
             {{1, "2024     ", "60", "30", "61", "10"}, {1, "2023     ", "59", "30", "58", "10"}});
}

ExRecord TurfRun(const char* year, std::vector<Set> more = {}) {
  ExRecord r = Run({{ex::Year, year},       {ex::MonthDay, "0512"},      {ex::VenueCode, "05"},
                    {ex::TrackCode, "17"},  {ex::WeekdayCode, "1"},      {ex::Wakuban, "3"},
                    {ex::Kyori, "1600"},    {ex::AbnormalityCode, "0"},  {ex::Honshokin, "00000000"},
                    {ex::SexCode, "1"},     {ex::Futanjuryou, "550"},    {ex::Bataijuu, "470"},
                    {ex::KettoNum, "2019100001"}, {ex::KishuCode, "01001"}, {ex::BirthDate, "20190322"}});
  for (const Set& s : more) r.SetText(s.field, s.value, s.i);
  return r;
}

std::string FileOf(const std::vector<ExRecord>& runs) {
  std::string bytes;
  for (const ExRecord& r : runs) bytes += r.bytes();
  return bytes;
}

std::vector<ExRecord> RecordsOf(const std::string& bytes) {
  std::vector<ExRecord> runs;
  for (size_t at = 0; at + ex::kLength <= bytes.size(); at += ex::kLength)
    runs.push_back(*ExRecord::FromBytes(std::string_view(bytes).substr(at, ex::kLength)));
  return runs;
}

class CalculationDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTurfModel(folder_);
    // Horse 1: five runs, so runs 2 to 5 are coded; run 2 is too old, run 3 away from the ten
    // racecourses. Run 1 keeps the codes the builder gave it.
    folder_.Write(ExFile("2019100001"),
                  FileOf({TurfRun("2009", {{ex::FactorCode1, "2023"}}), TurfRun("2010", {{ex::MonthDay, "1231"}}),
                          TurfRun("2021", {{ex::VenueCode, "11"}}), TurfRun("2023"), TurfRun("2024")}));
    // Horse 2: its second run has no weekday, which item 2 needs as a whole number.
    folder_.Write(ExFile("2019100002"),
                  FileOf({TurfRun("2023"), TurfRun("2024", {{ex::WeekdayCode, " "}, {ex::FactorCode2, "OLD"}})}));
  }

  static std::string ExFile(const std::string& id) { return ::radadovur::testing::NameOf(UmagotoExFileName, id); }

  CalculationReport Calculate(RecordingHost& host) {
    StatsLookup stats(folder_.app_path());
    return RunCalculation(folder_.app_path(), {"2019100001", "2019100002", "2019100003"}, reference_, stats, host);
  }

  TempProgramFolder folder_;
  ReferenceModel reference_;
};

// A NUL byte in a field is shown escaped: it cuts no failure text, and a later horse's failure
// is still listed after it.
TEST_F(CalculationDriverTest, ANulInAFieldIsShownEscapedAndLaterFailuresStayListed) {
  folder_.Write(ExFile("2019100002"),
                FileOf({TurfRun("2023"), TurfRun("2024", {{ex::WeekdayCode, std::string(1, '\0')}})}));
  folder_.Write(ExFile("2019100003"),
                FileOf({TurfRun("2023"), TurfRun("2024", {{ex::WeekdayCode, " "}, {ex::RaceNum, std::string("1\0", 2)}})}));
  RecordingHost host;
  const std::vector<std::string> texts = Calculate(host).failures.Texts();
  ASSERT_EQ(texts.size(), 2u) << ::testing::PrintToString(texts);
  for (const std::string& text : texts) EXPECT_EQ(text.find('\0'), std::string::npos) << common::Shown(text);
  EXPECT_NE(texts[0].find("2019100002: 因子 2: 過去走 2（レース 2024051205  ）の曜日コード: \"\\x00\" は整数ではありません"),
            std::string::npos)
      << texts[0];
  EXPECT_NE(texts[1].find("2019100003: 因子 2: 過去走 2（レース 20240512051\\x00）の曜日コード: \" \" は整数ではありません"),
            std::string::npos)
      << texts[1];
}

TEST_F(CalculationDriverTest, CodesIndexesAndPredictsEveryHorseAndSkipsAFailingOne) {
  RecordingHost host;
  const CalculationReport report = Calculate(host);
  EXPECT_EQ(report.horses, 3);
  ASSERT_EQ(report.failures.items.size(), 1u) << ::testing::PrintToString(report.failures.Texts());
  const std::string failure = report.failures.Texts()[0];
  EXPECT_NE(failure.find("2019100002"), std::string::npos) << failure;
  EXPECT_NE(failure.find("過去走 2（"), std::string::npos) << failure;

  const auto one = RecordsOf(ReadBelow(folder_, ExFile("2019100001")));
  ASSERT_EQ(one.size(), 5u);
  // Run 1: not coded, indexed and predicted from the builder's codes.
  EXPECT_EQ(one[0].FactorCode(1), "2023     ");
  EXPECT_EQ(one[0].Text(ex::FactorCategoryIndex, 1), "2   ");
  EXPECT_EQ(one[0].Text(ex::SpeedCodes, ex::kPredictedSohaCode), "5800000");
  // Run 2 (2010-12-31): the 33 fields blank, still indexed (category 0) and predicted.
  EXPECT_EQ(one[1].Text(ex::SpeedCodes, ex::kObservedAgariCode), "       ");
  EXPECT_EQ(one[1].FactorCode(1), "         ");
  EXPECT_EQ(one[1].Text(ex::FactorCategoryIndex, 1), "0   ");
  EXPECT_EQ(one[1].Text(ex::SpeedCodes, ex::kPredictedSohaCode), "6100000");  // category 1's weights
  // Run 3 (venue 11): blank codes, blank indices, blank sample counts and zero weights.
  EXPECT_EQ(one[2].FactorCode(2), "           ");
  EXPECT_EQ(one[2].Text(ex::FactorCategoryIndex, 5), "    ");
  EXPECT_EQ(one[2].Text(ex::SpeedCodes, 6), "       ");
  EXPECT_EQ(one[2].Real(ex::AgariFW, 1), 0.0f);
  // Runs 4 and 5: coded, padded to each item's width.
  EXPECT_EQ(one[4].FactorCode(1), "2024     ");
  EXPECT_EQ(one[4].FactorCode(2), "51317      ");
  EXPECT_EQ(one[4].FactorCode(9), "004");
  EXPECT_EQ(one[4].FactorCode(10), "104");
  EXPECT_EQ(one[4].FactorCode(12), "150");  // born 2019-03-22, 63 months on 2024-05-12: 63 / 3 + 29
  EXPECT_EQ(one[4].Text(ex::SpeedCodes, ex::kObservedSohaCode), "0000000");
  EXPECT_EQ(one[4].Text(ex::FactorCategoryIndex, 1), "1   ");
  EXPECT_EQ(one[4].Text(ex::SpeedCodes, ex::kPredictedAgariCode), "6000000");
  EXPECT_EQ(one[4].Text(ex::SpeedCodes, 6), "0000000");
  EXPECT_EQ(one[4].Real(ex::SpeedResults, ex::kCombinedSoha), 61.0f);
  EXPECT_EQ(one[3].FactorCode(1), "2023     ");
  EXPECT_EQ(one[3].Real(ex::SohaFW, 1), 58.0f);

  // Horse 2 keeps what was complete: run 1 coded, run 2 up to item 1, no indices written.
  const auto two = RecordsOf(ReadBelow(folder_, ExFile("2019100002")));
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].FactorCode(10), "104");
  EXPECT_EQ(two[1].FactorCode(1), "2024     ");
  EXPECT_EQ(two[1].FactorCode(2), "OLD        ");
  EXPECT_EQ(two[0].Text(ex::FactorCategoryIndex, 1), "    ");

  // Horse 3 has no file: nothing is written, the bar still moves.
  EXPECT_FALSE(std::filesystem::exists(folder_.app_path() + ExFile("2019100003")));
  EXPECT_EQ(host.ProgressOf(common::ProgressSlot::kPredictProgressBar3), (std::vector<int64_t>{33, 66, 100}));
  // Run 2 of horse 1 moves no bar; horse 2 reaches its second run before failing.
  EXPECT_EQ(host.ProgressOf(common::ProgressSlot::kPredictProgressBar4), (std::vector<int64_t>{60, 80, 100, 50}));
  EXPECT_EQ(host.Yields(), 3 + 1 + 1);
  // Nothing but the two files in the folder: no temporary file left behind.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.app_path() + "UMAGOTOEXTHISWEEKN")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 2);
}

TEST_F(CalculationDriverTest, SecondRunGivesTheSameBytes) {
  RecordingHost host;
  Calculate(host);
  const std::string first = ReadBelow(folder_, ExFile("2019100001"));
  Calculate(host);
  EXPECT_EQ(ReadBelow(folder_, ExFile("2019100001")), first);
}

// The step's way: the builder's records handed over in memory give the files, the report and the
// bars of the files' way, each file written once; a horse without records keeps its emptied file.
TEST_F(CalculationDriverTest, RecordsInMemoryGiveWhatTheFilesGive) {
  std::unordered_map<std::string, std::string> built;
  for (const char* id : {"2019100001", "2019100002"}) built[id] = ReadBelow(folder_, ExFile(id));
  RecordingHost from_files;
  const CalculationReport expected = Calculate(from_files);

  TempProgramFolder memory;
  WriteTurfModel(memory);
  memory.Write(ExFile("2019100003"), "");
  RecordingHost host;
  StatsLookup stats(memory.app_path());
  const CalculationReport report =
      RunCalculation(memory.app_path(), {"2019100001", "2019100002", "2019100003"}, built, reference_, stats, host);
  EXPECT_TRUE(built.empty());
  EXPECT_EQ(report.horses, expected.horses);
  EXPECT_EQ(report.failed_horses, expected.failed_horses);
  EXPECT_EQ(report.failures.Texts(), expected.failures.Texts());
  for (const char* id : {"2019100001", "2019100002"})
    EXPECT_EQ(ReadBelow(memory, ExFile(id)), ReadBelow(folder_, ExFile(id))) << id;
  EXPECT_EQ(ReadBelow(memory, ExFile("2019100003")), "");
  for (auto slot : {ProgressSlot::kPredictProgressBar3, ProgressSlot::kPredictProgressBar4})
    EXPECT_EQ(host.ProgressOf(slot), from_files.ProgressOf(slot));
  EXPECT_EQ(host.Yields(), from_files.Yields());
}

TEST_F(CalculationDriverTest, MissingModelFailsEveryHorseOnItsSurface) {
  std::filesystem::remove(folder_.app_path() + "OPTION1N/QA1SibaSohaWeightData201801N2024.dat");
  RecordingHost host;
  const CalculationReport report = Calculate(host);
  ASSERT_EQ(report.failures.items.size(), 2u);
  EXPECT_NE(report.failures.Texts()[0].find("SohaWeightData"), std::string::npos) << report.failures.Texts()[0];
  // Pass 1 was complete and stays.
  EXPECT_EQ(RecordsOf(ReadBelow(folder_, ExFile("2019100001")))[4].FactorCode(1), "2024     ");
}

}  // namespace
}  // namespace radadovur::engine
