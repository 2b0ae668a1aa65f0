// The big-payout hit list on hand-made result documents: the 10000 / 10001 yen boundary, the
// payout lines after a 馬連 hit, the bet-kind names and the hit list file.
#include "history/hit_list.h"

#include <gtest/gtest.h>

#include "common/cp932.h"
#include "common/text_file.h"
#include "support/history_fixture.h"
#include "support/temp_folder.h"

namespace radadovur::history {
namespace {

std::vector<std::string> FileLines(const std::string& path) {
  return common::SplitLines(common::DecodeCp932Lossy(common::ReadWholeFile(path).value_or("")));
}

TEST(HitListTest, BigPayouts) {
  EXPECT_FALSE(IsBigPayout("10000"));
  EXPECT_TRUE(IsBigPayout("10001"));
  EXPECT_FALSE(IsBigPayout(""));
  EXPECT_FALSE(IsBigPayout("１２３４５６"));
  EXPECT_FALSE(IsBigPayout("12000円"));
}

TEST(HitListTest, HitsIntoTheFileBigOnesIntoTheGrid) {
  testing::TempFolder folder("rdv_hits");
  const std::string app = folder.app_path();
  std::filesystem::create_directories(app + "JRACODE");
  EXPECT_TRUE(common::WriteFileAtomic(app + "JRACODE/CodeTable.csv", common::ToCp932("2001,06,a,b,中山,c,d,e\r\n")).ok());
  testing::HistoryRace umaren = testing::PlainRace(1, 3);
  umaren.hits = {{"1", "本線", "01-02", "10000"}, {"2", "本線", "01-02", "400"}, {"3", "準本線", "01-03", "10001"}};
  testing::HistoryRace wide = testing::PlainRace(2, 3);
  wide.hits = {{"6", "伏兵", "01-02-03", "x"}, {"7", "伏兵", "03-01-02", "250000"}};
  testing::WriteDayFile(app, "20240922060407", "lupRCM.txt", testing::LupDocument({umaren, wide}));
  testing::WriteDayFile(app, "20240921060406", "lupRCM.txt", testing::LupDocument({umaren}));

  common::StepFailures failures;
  int dates = 0;
  const HitList list = LoadHitList(app, [&](std::string_view) { ++dates; }, failures);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(dates, 1860);
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.big_hits, 3);
  const auto& first = list.rows[0];
  EXPECT_EQ(first[0], " 2024年 1");
  EXPECT_EQ(first[3], "中山");
  EXPECT_EQ(first[4], "04回");
  EXPECT_EQ(first[5], "07日");
  EXPECT_EQ(first[6], "01R");
  EXPECT_EQ(first[7], "レース1");
  EXPECT_EQ(first[8], "ワイド2");
  EXPECT_EQ(first[9], "10001");
  EXPECT_EQ(first[11], " 01-03");
  EXPECT_EQ(first[16], "1600");
  EXPECT_EQ(first[19], "1");
  EXPECT_EQ(list.rows[1][8], "３連単");
  EXPECT_EQ(list.rows[2][0], " 2024年 3");
  EXPECT_EQ(list.rows[2][2], "21日");

  const auto lines = FileLines(app + "TEKICHU/ATARILIST.txt");
  ASSERT_EQ(lines.size(), 3u + 3 + 2 + 3 + 3);
  EXPECT_EQ(lines[0], "\"2024年\",\"09月\",\"22日\",\"中山\",\"04回\",\"07日\",\"01R\",\"レース1\",\"レース1\",\"3歳未勝利\",\"\","
                      "\"芝\",\"1600\",\"52.3\",\"晴良\",\"馬連\",\"本線\",\"01-02\",\"10000\"");
  EXPECT_NE(lines[3].find("\"10001\",\"単勝\",\"1\",\"350\""), std::string::npos);
  EXPECT_NE(lines[4].find("\"複勝\",\"1\",\"150\""), std::string::npos);
  EXPECT_NE(lines[5].find("\"枠連\",\"1-2\",\"900\""), std::string::npos);
  EXPECT_NE(lines[6].find("\"３連複\",\"伏兵\",\"01-02-03\",\"x\""), std::string::npos);  // no 馬連 hit: no payout lines
  EXPECT_NE(lines[7].find("\"02R\""), std::string::npos);
  EXPECT_NE(lines[8].find("\"馬連\""), std::string::npos);
}

TEST(HitListTest, NoResultDocumentGivesAnEmptyFile) {
  testing::TempFolder folder("rdv_hits");
  std::filesystem::create_directories(folder.app_path() + "TEKICHU");
  common::StepFailures failures;
  EXPECT_TRUE(LoadHitList(folder.app_path(), nullptr, failures).rows.empty());
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(common::ReadWholeFile(folder.app_path() + "TEKICHU/ATARILIST.txt"), std::optional<std::string>(""));
}

}  // namespace
}  // namespace radadovur::history
