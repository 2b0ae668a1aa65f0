// The past runs of one horse on hand-made expanded records: columns newest first, the rows'
// number forms, the file name taken from the clicked cell, and what a bad name or file gives.
#include "history/past_runs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/cp932.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "support/temp_folder.h"

namespace radadovur::history {
namespace {

std::string Record(const std::string& date, char venue, float agari_fw1) {
  std::string r(kExRecordLength, ' ');
  auto put = [&](size_t at, const std::string& s) { r.replace(at, s.size(), s); };
  put(0, "EX7");
  put(11, date);
  put(19, std::string("0") + venue);
  put(21, "040712");
  put(27, "3071234567890");
  put(42, "1");
  put(788, common::ToCp932("テストホース"));
  put(1049, "02");
  put(1110, "0012");
  put(1330, "123118119120121");
  put(1849, "2024ABCDE");
  put(2021, "Z999");
  put(2029, "0005");
  engine::PutReal(r.data() + 2153, agari_fw1);
  engine::PutReal(r.data() + 2597, 1.5f);
  r[2601] = '\r';
  r[2602] = '\n';
  return r;
}

class PastRunsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(app_ + "UMAGOTOEXTHISWEEKN");
    std::filesystem::create_directories(app_ + "JRACODE");
    EXPECT_TRUE(common::WriteFileAtomic(app_ + "JRACODE/CodeTable.csv",
                                        common::ToCp932("2001,06,a,b,中山,c,d,e\r\n2002,1,a,b,土曜日,c,d,e\r\n"))
                    .ok());
    // Three runs and half a fourth.
    EXPECT_TRUE(common::WriteFileAtomic(app_ + "UMAGOTOEXTHISWEEKN/1234567890EX.dat",
                                        Record("20230101", '6', -0.00005f) + Record("20230601", '9', 0.00009f) +
                                            Record("20240922", '6', 1.23456f) + std::string(100, 'x'))
                    .ok());
  }
  testing::TempFolder folder_{"rdv_kakoso"};
  std::string app_ = folder_.app_path();
};

TEST(PastRunsFormsTest, FileNameFromTheCell) {
  EXPECT_EQ(engine::ExFileNameOfCell("テストホース　　　　　　　　　　　　1234567890EX.dat"), "1234567890EX.dat");
  EXPECT_EQ(engine::ExFileNameOfCell("1234567890EX.dat"), "1234567890EX.dat");
  for (const char* bad : {"", "EX.dat", "../../etc/passwdX", "12345678/0EX.dat", "1234567890EX.da", " 1"})
    EXPECT_EQ(engine::ExFileNameOfCell(bad), "") << bad;
}

TEST_F(PastRunsTest, ColumnsNewestFirstWithTheirRows) {
  const Grid grid = LoadPastRuns(app_, "テストホース1234567890EX.dat");
  ASSERT_EQ(grid.columns, 4);  // three whole records; the partial one is not a run
  ASSERT_EQ(grid.rows, 312);
  EXPECT_EQ(grid.Text(0, 0), "");
  EXPECT_EQ(grid.Text(0, 1), "前 0走");
  EXPECT_EQ(grid.Text(0, 3), "前 2走");
  EXPECT_EQ(grid.Text(4, 1), "20240922");
  EXPECT_EQ(grid.Text(4, 3), "20230101");
  EXPECT_EQ(grid.Text(5, 0), "レース開催場所回日R");
  EXPECT_EQ(grid.Text(5, 1), "中山040712");
  EXPECT_EQ(grid.Text(5, 2), "040712");  // racecourse 09 has no row
  EXPECT_EQ(grid.Text(6, 1), "3071234567890");
  EXPECT_EQ(grid.Text(7, 1), "テストホース" + std::string(24, ' '));
  EXPECT_EQ(grid.Text(32, 1), "土曜日");
  EXPECT_EQ(grid.Text(47, 1), "02 0012");
  EXPECT_EQ(grid.Text(111, 1), "123-118-119-120-");
  EXPECT_EQ(grid.Text(155, 0), "");
  EXPECT_EQ(grid.Text(161, 1), "1.5");
  EXPECT_EQ(grid.Text(162, 0), "F1 年度");
  EXPECT_EQ(grid.Text(162, 1), "2024ABCDE");
  EXPECT_EQ(grid.Text(191, 0), "F30 馬主アーニング");
  EXPECT_EQ(grid.Text(191, 1), "Z999");
  EXPECT_EQ(grid.Text(192, 0), "FC1 年度");
  EXPECT_EQ(grid.Text(192, 1), "0005");
  EXPECT_EQ(grid.Text(222, 0), "AgariFW1 年度");
  EXPECT_EQ(grid.Text(222, 1), "1.2345");
  EXPECT_EQ(grid.Text(222, 2), "0");
  EXPECT_EQ(grid.Text(222, 3), "-0.0001");
  EXPECT_EQ(grid.Text(311, 0), "SohaFW30 馬主アーニング");
  EXPECT_EQ(grid.column_width_twips[0], 2000);
  EXPECT_EQ(grid.column_width_twips[3], 1500);
}

TEST_F(PastRunsTest, NoRunsForAnEmptyOrForeignName) {
  const Grid empty = LoadPastRuns(app_, "");
  EXPECT_EQ(empty.columns, 2);
  EXPECT_EQ(empty.Text(1, 0), "");
  for (const char* cell : {"4  07", "9999999999EX.dat", "../JRACODE/x.csv"}) {
    const Grid grid = LoadPastRuns(app_, cell);
    EXPECT_EQ(grid.columns, 1) << cell;
    EXPECT_EQ(grid.Text(1, 0), "レコードスペック");
  }
  EXPECT_FALSE(std::filesystem::exists(app_ + "UMAGOTOEXTHISWEEKN/9999999999EX.dat"));
}

}  // namespace
}  // namespace radadovur::history
