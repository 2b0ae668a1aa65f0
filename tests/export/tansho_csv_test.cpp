#include "export/tansho_csv.h"

#include <gtest/gtest.h>

#include "export/export_fixture.h"
#include "support/data_names.h"

namespace radadovur::exports {
namespace {

using testing::ExportDay;

TEST(TanshoFileName, YearMonthDayCourseRaceOrTheCodeWhenTheTableHasNoName) {
  ExportDay day;
  day.Race(1, testing::kNakayama11, {50.0f});
  const auto race = documents::RaceOf(day.s.CurrentRunnerRecord);
  EXPECT_EQ(::radadovur::testing::NameOf(TanshoFileName, race, day.s.CodeTable), "TANSHO/240922中山11R.csv");
  EXPECT_EQ(::radadovur::testing::NameOf(TanshoFileName, race, results::CodeTable{}), "TANSHO/2409220611R.csv");
}

// Rank 1 first, then rank 2, whatever their horse numbers; one runner gives one line.
TEST(TanshoCsvText, TheTwoTopRankedHorsesInRankOrder) {
  ExportDay day;
  std::vector<float> speeds(12, 50.0f);
  speeds[2] = 55.0f;   // horse 3: rank 2
  speeds[11] = 56.0f;  // horse 12: rank 1
  day.Race(1, testing::kNakayama11, speeds);
  common::StepFailures failures;
  const auto race = documents::RaceOf(day.s.CurrentRunnerRecord);
  EXPECT_EQ(TanshoCsvText(race, day.s, failures),
            "20240922,06,11,01,12,100\r\n"
            "20240922,06,11,01,03,100\r\n");
  day.Race(1, testing::kNakayama11, {50.0f});
  EXPECT_EQ(TanshoCsvText(documents::RaceOf(day.s.CurrentRunnerRecord), day.s, failures),
            "20240922,06,11,01,01,100\r\n");
  EXPECT_TRUE(failures.empty());
}

// A pass replaces an earlier pass's list; the same race twice in a row is written once; a race
// without runners writes nothing.
TEST(WriteTanshoList, PerRaceFileReplacedOncePerPass) {
  ExportDay day;
  const std::string name = "TANSHO/240922中山11R.csv";
  ASSERT_TRUE(common::WriteFileAtomic(day.app() + name, "old\r\n").ok());
  common::StepFailures failures;
  day.Race(1, testing::kNakayama11, {50.0f, 52.0f});
  WriteTanshoList(day.app(), day.s, failures);
  EXPECT_EQ(day.Read(name), "20240922,06,11,01,02,100\r\n20240922,06,11,01,01,100\r\n");
  EXPECT_EQ(day.s.LastKeyTansho, "202409220611");

  std::filesystem::remove(day.app() + name);
  WriteTanshoList(day.app(), day.s, failures);
  EXPECT_FALSE(day.Exists(name));

  day.Race(2, testing::kHanshin01, {});
  WriteTanshoList(day.app(), day.s, failures);
  EXPECT_FALSE(day.Exists(name));
  EXPECT_FALSE(day.Exists("TANSHO/240922阪神01R.csv"));
  EXPECT_TRUE(failures.empty());
}

TEST(WriteTanshoList, AMissingFolderIsReportedAndTheKeyNotTaken) {
  ExportDay day;
  std::filesystem::remove(day.app() + "TANSHO");
  common::StepFailures failures;
  day.Race(1, testing::kNakayama11, {50.0f});
  WriteTanshoList(day.app(), day.s, failures);
  EXPECT_EQ(failures.items.size(), 1u);
  EXPECT_EQ(day.s.LastKeyTansho, "");
}

}  // namespace
}  // namespace radadovur::exports
