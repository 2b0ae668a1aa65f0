#include "export/sokudo_day_csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "export/export_fixture.h"

namespace radadovur::exports {
namespace {

using testing::ExportDay;

TEST(SpeedInMetresPerHour, FloorOfTheSinglePrecisionProduct) {
  const struct {
    float kmh;
    std::optional<long long> metres;
  } cases[] = {
      {60.0f, 60000},
      {58.1234f, 58123},
      {57.3f, 57300},  // a double product would give 57299.99923...
      {0.0f, 0},
      {-0.5f, std::nullopt},
      {std::numeric_limits<float>::quiet_NaN(), std::nullopt},
      {std::numeric_limits<float>::infinity(), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SpeedInMetresPerHour(c.kmh), c.metres) << c.kmh;
  EXPECT_EQ(std::floor(static_cast<double>(57.3f) * 1000.0), 57299.0);
}

// The worked example: speeds 58.1234, 60 and 57.3 km/h give ranks 2, 1 and 3.
TEST(SokudoLine, RaceIdThenSpeedAndRankOfEveryHorseInHorseNumberOrder) {
  ExportDay day;
  day.Race(1, testing::kNakayama11, {58.1234f, 60.0f, 57.3f});
  common::StepFailures failures;
  EXPECT_EQ(SokudoLine(documents::RaceOf(day.s.CurrentRunnerRecord), day.s, failures),
            "2024092206040811,58123,02,60000,01,57300,03\r\n");
  day.Race(1, testing::kNakayama11, {55.5f});
  EXPECT_EQ(SokudoLine(documents::RaceOf(day.s.CurrentRunnerRecord), day.s, failures), "2024092206040811,55500,01\r\n");
  EXPECT_TRUE(failures.empty());
}

// Ranks 9 and 10 as two digits; a rank that is no number leaves the race's line out, reported.
TEST(SokudoLine, RanksAreTwoDigitsAndABadRankDropsTheLine) {
  ExportDay day;
  std::vector<float> speeds;
  for (int h = 1; h <= 10; ++h) speeds.push_back(60.0f - static_cast<float>(h));
  day.Race(1, testing::kNakayama11, speeds);
  common::StepFailures failures;
  const auto line = SokudoLine(documents::RaceOf(day.s.CurrentRunnerRecord), day.s, failures);
  ASSERT_TRUE(line);
  EXPECT_NE(line->find(",51000,09,50000,10\r\n"), std::string::npos) << *line;

  day.s.PredRank[4] = "  ";
  EXPECT_FALSE(SokudoLine(documents::RaceOf(day.s.CurrentRunnerRecord), day.s, failures));
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_NE(failures.items[0].ToString().find("馬番 4"), std::string::npos);
}

// A pass: the first race of a date replaces an earlier pass's file; races of the date add their
// lines in order, also when the date comes back after another date; a race without runners
// writes nothing.
TEST(SokudoDayCsvWriter, OneFilePerDateStartedByThePassAndAppendedTo) {
  ExportDay day;
  ASSERT_TRUE(common::WriteFileAtomic(day.app() + "SOKUDO/HR20240922.csv", "from an earlier pass\r\n").ok());
  SokudoDayCsvWriter writer;
  common::StepFailures failures;
  day.Race(1, testing::kNakayama11, {58.1234f, 60.0f, 57.3f});
  writer.Write(day.app(), day.s, failures);
  EXPECT_EQ(day.s.LastKeySokudoDay, "20240922");
  day.Race(2, "2024092209040801", {});  // no runners: the record at hand is still race 11's
  writer.Write(day.app(), day.s, failures);
  day.Race(2, "2024092809040901", {50.0f, 51.0f});
  writer.Write(day.app(), day.s, failures);
  day.Race(3, testing::kNakayama12, {49.9f});
  writer.Write(day.app(), day.s, failures);
  EXPECT_TRUE(failures.empty()) << failures.Texts()[0];

  EXPECT_EQ(day.Read("SOKUDO/HR20240922.csv"),
            "2024092206040811,58123,02,60000,01,57300,03\r\n"
            "2024092206040812,49900,01\r\n");
  EXPECT_EQ(day.Read("SOKUDO/HR20240928.csv"), "2024092809040901,50000,02,51000,01\r\n");
  EXPECT_EQ(day.s.LastKeySokudoDay, "20240922");
}

// A date whose file cannot be made is reported; its key is not taken, so the next race of the
// date starts the file once it can.
TEST(SokudoDayCsvWriter, AFileThatCannotBeWrittenIsReportedAndNotCountedAsStarted) {
  ExportDay day;
  std::filesystem::remove(day.app() + "SOKUDO");
  SokudoDayCsvWriter writer;
  common::StepFailures failures;
  day.Race(1, testing::kNakayama11, {58.0f});
  writer.Write(day.app(), day.s, failures);
  EXPECT_EQ(failures.items.size(), 1u);
  EXPECT_EQ(day.s.LastKeySokudoDay, "");

  std::filesystem::create_directory(day.app() + "SOKUDO");
  ASSERT_TRUE(common::WriteFileAtomic(day.app() + "SOKUDO/HR20240922.csv", "stale\r\n").ok());
  day.Race(3, testing::kNakayama12, {49.0f});
  writer.Write(day.app(), day.s, failures);
  EXPECT_EQ(day.Read("SOKUDO/HR20240922.csv"), "2024092206040812,49000,01\r\n");
}

}  // namespace
}  // namespace radadovur::exports
