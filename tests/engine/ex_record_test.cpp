#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/record_file.h"
#include "engine/ex_record.h"
#include "support/data_names.h"

namespace radadovur::engine {
namespace {

// Offsets and widths as the record has always had them; a layout that still tiles 2603 bytes
// but has two neighbours swapped or one width wrong fails here.
TEST(ExRecordLayout, FieldsStandWhereStoredFilesHaveThem) {
  struct Case {
    jvdata::Field field;
    uint32_t offset, width, count;
  } cases[] = {
      {ex::KettoNum, 30, 10, 1},          {ex::FoalOrder, 40, 2, 1},
      {ex::MarketPeriod, 179, 8, 2},      {ex::BirthDate, 206, 8, 1},
      {ex::SireName, 344, 36, 1},         {ex::DamNum, 404, 10, 1},
      {ex::Ancestor3_Name, 448, 36, 1},   {ex::DamSireName, 518, 36, 1},
      {ex::Ancestor7_Name, 728, 36, 1},   {ex::HorseName, 788, 36, 1},
      {ex::OwnerName, 851, 64, 1},        {ex::KishuCode, 983, 5, 1},
      {ex::KishuBirthDate, 988, 8, 1},    {ex::RidingQualificationCode, 1017, 1, 1},
      {ex::RunTime, 1055, 4, 1},          {ex::CornerOrder, 1068, 2, 4},
      {ex::Last3F, 1107, 3, 1},           {ex::TimeDiff, 1110, 4, 1},
      {ex::Kyori, 1137, 4, 1},            {ex::TrackCode, 1145, 2, 1},
      {ex::LapTimes, 1330, 3, 25},        {ex::CornerPassing_PassingOrder, 1423, 70, 4},
      {ex::SpeedCodes, 1709, 7, 20},      {ex::FactorCode1, 1849, 9, 1},
      {ex::FactorCode2, 1858, 11, 1},     {ex::FactorCode30, 2021, 4, 1},
      {ex::FactorCategoryIndex, 2025, 4, 31}, {ex::AgariFW, 2149, 4, 31},
      {ex::PaceFW, 2273, 4, 31},          {ex::SohaFW, 2397, 4, 31},
      {ex::SpeedResults, 2521, 4, 20},    {ex::LineEnd, 2601, 2, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.field.offset, c.offset) << c.offset;
    EXPECT_EQ(c.field.width, c.width) << c.offset;
    EXPECT_EQ(c.field.count, c.count) << c.offset;
  }
}

TEST(ExRecord, RealsAreLittleEndianSinglesAtUnalignedOffsets) {
  ExRecord r;
  EXPECT_EQ(r.bytes(), std::string(2603, '\0'));  // the builder's starting point: all reals 0.0
  EXPECT_EQ(r.Real(ex::SohaFW, 30), 0.0f);

  r.SetReal(ex::AgariFW, 1, 1.0f);  // 2153: not a multiple of 4
  EXPECT_EQ(r.bytes().substr(2153, 4), std::string("\x00\x00\x80\x3f", 4));
  EXPECT_EQ(r.bytes()[2152], '\0');
  EXPECT_EQ(r.bytes()[2157], '\0');

  const float values[] = {62.599998f, -0.5f, 20.5f, 1e-40f /* denormal */, -0.0f};
  for (uint32_t i = 0; i < 5; ++i) r.SetReal(ex::SpeedResults, 13 + i, values[i]);
  for (uint32_t i = 0; i < 5; ++i) {
    const float back = r.Real(ex::SpeedResults, 13 + i);
    EXPECT_EQ(std::memcmp(&back, &values[i], 4), 0) << i;  // bit for bit
  }

  // A record read from bytes takes them as they are: 0x42fa3333 is 125.1.
  std::string bytes = r.bytes();
  bytes.replace(2521 + 4 * 6, 4, std::string("\x33\x33\xfa\x42", 4));
  EXPECT_FLOAT_EQ(ExRecord::FromBytes(bytes)->Real(ex::SpeedResults, ex::kCombinedSoha), 125.1f);

  // Reals are only read or written where reals are, and only inside their array.
  const std::string before = r.bytes();
  r.SetReal(ex::SpeedResults, 20, 1.0f);
  r.SetReal(ex::Kyori, 0, 1.0f);
  EXPECT_EQ(r.bytes(), before);
  EXPECT_EQ(r.Real(ex::LineEnd, 0), 0.0f);
}

TEST(ExRecord, TextFieldsAreLeftAlignedBlankPaddedAndCut) {
  ExRecord r;
  r.SetText(ex::Kyori, "1600");
  r.SetText(ex::SpeedCodes, "6260869", ex::kObservedAgariCode);
  r.SetText(ex::SpeedCodes, "123", 19);
  r.SetFactorCode(4, "55");                 // width 4
  r.SetFactorCode(9, "ABCDEFG");            // width 3: cut
  r.SetText(ex::FactorCategoryIndex, "7", 30);
  EXPECT_EQ(r.Text(ex::Kyori), "1600");
  EXPECT_EQ(r.Text(ex::SpeedCodes, 0), "6260869");
  EXPECT_EQ(r.Text(ex::SpeedCodes, 19), "123    ");
  EXPECT_EQ(r.FactorCode(4), "55  ");
  EXPECT_EQ(r.FactorCode(9), "ABC");
  EXPECT_EQ(r.bytes().substr(1905, 3), std::string(3, '\0'));  // item 10 untouched
  EXPECT_EQ(r.Text(ex::FactorCategoryIndex, 30), "7   ");
  EXPECT_EQ(r.bytes().substr(2149, 4), std::string(4, '\0'));  // AgariFW[0] untouched

  // Outside a field's elements nothing is read or written.
  const std::string before = r.bytes();
  r.SetText(ex::SpeedCodes, "9999999", 20);
  r.SetFactorCode(0, "X");
  r.SetFactorCode(31, "X");
  EXPECT_EQ(r.bytes(), before);
  EXPECT_EQ(r.Text(ex::SpeedCodes, 20), "");
  EXPECT_EQ(r.FactorCode(31), "");

  EXPECT_FALSE(ExRecord::FromBytes(std::string(2602, ' ')));
  EXPECT_FALSE(ExRecord::FromBytes(std::string(2604, ' ')));
}

class ExFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::filesystem::temp_directory_path() / ("rdv_exfile_" + std::to_string(::getpid()));
    std::filesystem::create_directories(app_ / "UMAGOTOEXTHISWEEKN");
  }
  void TearDown() override { std::filesystem::remove_all(app_); }
  std::string AppPath() const { return app_.string() + "/"; }
  std::filesystem::path app_;
};

TEST_F(ExFileTest, RecordsFromOneCountedByLength) {
  EXPECT_EQ(::radadovur::testing::NameOf(UmagotoExFileName, "2019104567"), "UMAGOTOEXTHISWEEKN/2019104567EX.dat");
  common::RecordFile file;
  ASSERT_TRUE(OpenUmagotoExFile(file, AppPath(), "2019104567"));
  EXPECT_EQ(file.Count(), 0);  // a horse without runs: an empty file

  ExRecord runs[3];
  for (int k = 0; k < 3; ++k) {
    runs[k].SetText(ex::RecordSpec, "SE");
    runs[k].SetText(ex::VenueCode, k == 0 ? "30" : "05");  // a first run abroad keeps its place
    runs[k].SetReal(ex::SpeedResults, 6, 55.0f + static_cast<float>(k));
    runs[k].SetText(ex::LineEnd, "\r\n");
    ASSERT_TRUE(WriteExRecord(file, k + 1, runs[k]));
  }
  ASSERT_TRUE(file.Close());
  const auto path = app_ / "UMAGOTOEXTHISWEEKN" / "2019104567EX.dat";
  EXPECT_EQ(std::filesystem::file_size(path), 3u * 2603u);

  // A partial record at the end is not a record.
  { std::ofstream(path, std::ios::app | std::ios::binary) << "SE"; }
  ASSERT_TRUE(OpenUmagotoExFile(file, AppPath(), "2019104567"));
  EXPECT_EQ(file.Count(), 3);
  ExRecord back;
  for (int k = 0; k < 3; ++k) {
    ASSERT_TRUE(ReadExRecord(file, k + 1, back));
    EXPECT_EQ(back.bytes(), runs[k].bytes()) << k;
  }
  EXPECT_FALSE(ReadExRecord(file, 4, back));
  EXPECT_EQ(back.bytes(), runs[2].bytes());  // a failed read leaves the record as it was

  // Rewriting a record in place keeps the others.
  back.SetText(ex::SpeedCodes, "6000000", ex::kObservedPaceCode);
  ASSERT_TRUE(WriteExRecord(file, 2, back));
  ASSERT_TRUE(ReadExRecord(file, 1, back));
  EXPECT_EQ(back.bytes(), runs[0].bytes());
  ASSERT_TRUE(ReadExRecord(file, 2, back));
  EXPECT_EQ(back.Text(ex::SpeedCodes, 1), "6000000");
}

}  // namespace
}  // namespace radadovur::engine
