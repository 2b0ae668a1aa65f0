// The past results window's load on hand-made meeting days: which days are listed and in which
// order, the day key list, the race id list and the speed files with their gap rule.
#include "history/past_results.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "history/meeting_day_search.h"
#include "support/history_fixture.h"
#include "support/temp_folder.h"

namespace radadovur::history {
namespace {

using testing::HistoryLine;
using testing::WriteDayFile;

const std::vector<std::string> kTitle22 = {"2024年", "09月", "22日", "4回", "中山", "7日目"};

std::string Read(const std::string& path) { return common::ReadWholeFile(path).value_or("<missing>"); }

TEST(MeetingDaySearchTest, CandidateKeys) {
  for (const char* key : {"20240922060407", "20281231100712", "20240231010101"}) EXPECT_TRUE(IsCandidateKey(key)) << key;
  for (const char* key : {"20230922060407", "20290101010101", "20241322060407", "20240900060407", "20240922110407",
                          "20240922060807", "20240922060413", "2024092206040", "2024092206040x"})
    EXPECT_FALSE(IsCandidateKey(key)) << key;
}

TEST(PastResultsTest, ListsDaysNewestFirstAndRacecourseAscendingWithinADate) {
  testing::TempFolder folder("rdv_history");
  const std::string app = folder.app_path();
  WriteDayFile(app, "20240921060406", "tekichu.txt", testing::HitTable({"2024年", "09月", "21日", "4回", "中山", "6日目"}, 1));
  WriteDayFile(app, "20240922090407", "tekichu.txt", testing::HitTable({"2024年", "09月", "22日", "4回", "阪神", "7日目"}, 1));
  WriteDayFile(app, "20240922060407", "tekichu.txt", testing::HitTable(kTitle22, 1));
  WriteDayFile(app, "20230922060407", "tekichu.txt", testing::HitTable(kTitle22, 1));  // before the years searched
  WriteDayFile(app, "20240915060401", "tekichu.txt", HistoryLine({"", "09月", "15日", "4回", "中山", "1日目"}));
  WriteDayFile(app, "20240914060401", "lupRCM.txt", "");  // no hit table

  std::vector<std::string> dates;
  common::StepFailures failures;
  const auto days = ListPastDays(app, [&](std::string_view d) { dates.emplace_back(d); }, failures);
  EXPECT_TRUE(failures.empty());
  ASSERT_EQ(days.size(), 3u);
  EXPECT_EQ(days[0].text, "2024年09月22日4回中山7日目" + std::string(18, ' ') + "20240922060407");
  EXPECT_EQ(days[1].key, "20240922090407");
  EXPECT_EQ(days[2].key, "20240921060406");
  EXPECT_EQ(Read(app + "TEKICHU/RACEIDYMDLKN.txt"), "20240922060407\r\n20240922090407\r\n20240921060406\r\n");
  ASSERT_EQ(dates.size(), 1860u);
  EXPECT_EQ(dates.front(), "20281231");
  EXPECT_EQ(dates.back(), "20240101");
  EXPECT_EQ(SearchDateText(dates.front()), "2028年12月31日検索中");
}

TEST(PastResultsTest, NoHitTableAnywhereGivesEmptyListsAndNoSpeedFile) {
  testing::TempFolder folder("rdv_history");
  const std::string app = folder.app_path();
  std::filesystem::create_directories(app + "TEKICHU");
  std::filesystem::create_directories(app + "SOKUDO");
  EXPECT_TRUE(common::WriteFileAtomic(app + "SOKUDO/RACEID.txt", "2024080401020112\r\n").ok());
  common::StepFailures failures;
  EXPECT_TRUE(ListPastDays(app, nullptr, failures).empty());
  WriteSpeedFiles(app, {}, nullptr, failures);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(Read(app + "TEKICHU/RACEIDYMDLKN.txt"), "");
  EXPECT_EQ(Read(app + "SOKUDO/RACEID.txt"), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(app + "SOKUDO"), {}), 1);
}

TEST(PastResultsTest, PredictedSeconds) {
  EXPECT_FLOAT_EQ(*PredictedSeconds("2.01.50"), 121.5f);
  EXPECT_EQ(*PredictedSeconds("1.35.24"), 60.0f + 35.24f);
  for (const char* bad : {"", "1.3", "x.35.24", "1.35.2x", "0.00.00"}) EXPECT_FALSE(PredictedSeconds(bad)) << bad;
}

TEST(PastResultsTest, SpeedSlots) {
  // 3600 x 1600 / 95.24 = 60478.79...; the rank in two digits.
  EXPECT_EQ(SpeedSlot(int16_t{1600}, "1.35.24", " 1"), "60478,01");
  EXPECT_EQ(SpeedSlot(int16_t{2000}, "2.01.50", "12"), "59259,12");
  EXPECT_FALSE(SpeedSlot(std::nullopt, "1.35.24", " 1"));
  EXPECT_FALSE(SpeedSlot(int16_t{1600}, "1.35.x4", " 1"));
  EXPECT_FALSE(SpeedSlot(int16_t{1600}, "1.35.24", "  "));
}

TEST(PastResultsTest, SpeedFilesOfTwoCoursesOnADateAndTheDayBefore) {
  testing::TempFolder folder("rdv_history");
  const std::string app = folder.app_path();
  std::filesystem::create_directories(app + "SOKUDO");
  EXPECT_TRUE(common::WriteFileAtomic(app + "SOKUDO/HR20240922.csv", "stale\r\n").ok());

  testing::HistoryRace gap = testing::PlainRace(1, 12);  // horse 9 missing: the line ends at 8
  gap.runners.erase(gap.runners.begin() + 8);
  testing::HistoryRace no_one = testing::PlainRace(2, 5);  // no horse 1: no line
  no_one.runners.erase(no_one.runners.begin());
  testing::HistoryRace bad_distance = testing::PlainRace(3, 4);
  bad_distance.distance = "千六百";
  testing::HistoryRace bad_time = testing::PlainRace(4, 4);
  bad_time.runners[2].time = "1.3x.00";  // runner 3: the line ends at 2
  testing::HistoryRace no_q1 = testing::PlainRace(5, 3);
  no_q1.q1 = false;
  WriteDayFile(app, "20240922060407", "lupRCM.txt", testing::LupDocument({gap, no_one, bad_distance, bad_time, no_q1}));
  WriteDayFile(app, "20240922090407", "lupRCM.txt", testing::LupDocument({testing::PlainRace(11, 2)}));
  WriteDayFile(app, "20240921060406", "lupRCM.txt", testing::LupDocument({testing::PlainRace(1, 1)}));

  std::vector<std::string> races;
  common::StepFailures failures;
  WriteSpeedFiles(app, {"20240922060407", "20240922090407", "20240921060406", "20240920060405"},
                  [&](std::string_view id) { races.emplace_back(id); }, failures);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(races.size(), 7u);
  EXPECT_EQ(Read(app + "SOKUDO/RACEID.txt"),
            "2024092206040701\r\n2024092206040702\r\n2024092206040703\r\n2024092206040704\r\n2024092206040705\r\n"
            "2024092209040711\r\n2024092106040601\r\n");
  const std::string hr22 = Read(app + "SOKUDO/HR20240922.csv");
  const std::vector<std::string> lines = common::SplitLines(hr22);
  ASSERT_EQ(lines.size(), 4u) << hr22;
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ','), 16);  // 8 runners, speed and rank each
  EXPECT_EQ(lines[0].substr(0, 26), "2024092206040701,60478,01,");
  EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), ','), 4);
  EXPECT_EQ(lines[1].substr(0, 16), "2024092206040704");
  EXPECT_EQ(lines[2].substr(0, 16), "2024092206040705");  // without "Q1" the runners still count
  EXPECT_EQ(std::count(lines[2].begin(), lines[2].end(), ','), 6);
  EXPECT_EQ(lines[3].substr(0, 16), "2024092209040711");
  EXPECT_EQ(Read(app + "SOKUDO/HR20240921.csv"), "2024092106040601,60478,01\r\n");
  EXPECT_FALSE(std::filesystem::exists(app + "SOKUDO/HR20240920.csv"));
}

TEST(PastResultsTest, MissingSokudoFolderIsReported) {
  testing::TempFolder folder("rdv_history");
  common::StepFailures failures;
  WriteSpeedFiles(folder.app_path(), {}, nullptr, failures);
  EXPECT_FALSE(failures.empty());
}

}  // namespace
}  // namespace radadovur::history
