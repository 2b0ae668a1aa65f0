#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "common/cp932.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "support/record_builder.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace radadovur {
namespace {

using testing::MakeRecord;
using testing::RunCli;

class DumpTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir_ / name).string();
    EXPECT_TRUE(common::WriteFileAtomic(path, bytes).ok());
    return path;
  }
  testing::TempFolder folder_{"rdv_dump_"};
  std::filesystem::path dir_ = folder_.path();
};

TEST_F(DumpTest, RecordFilesOfEachStoredType) {
  const std::string ra = MakeRecord(jvdata::RecordType::RA, {{jvdata::ra::RaceName, common::ToCp932("日本ダービー")}, {jvdata::ra::Kyori, "2400"}});
  const std::string ks = jvdata::StoredForm(jvdata::RecordType::KS, MakeRecord(jvdata::RecordType::KS, {{jvdata::ks::KishuShortName, common::ToCp932("武豊")}}));
  struct Case {
    std::string file;
    std::string bytes;
    std::vector<std::string> expected;
  } cases[] = {
      {"RATHISWEEKN.dat", ra + ra,
       {"RA record file, 1272-byte records, 2 records", "record 2 (RA)", "RaceName: [日本ダービー", "Kyori: [2400]", "LineEnd: [\\r\\n]",
        "CornerPassing[3].PassingOrder: ["}},
      {"SETHISWEEKN.dat", MakeRecord(jvdata::RecordType::SE, {{jvdata::se::KettoNum, "2019104567"}}),
       {"SE record file, 555-byte records, 1 records", "KettoNum: [2019104567]", "PlacedHorses[2].HorseName"}},
      {"KSTHISWEEKN.dat", ks, {"KS record file, 4161-byte records", "KishuShortName: [武豊", "YearRecords[2].DistancePlaces[35]"}},
      {"HRTHISWEEKN.dat", MakeRecord(jvdata::RecordType::HR, {}), {"HR record file, 719-byte records", "SanrentanPayouts[5].Popularity"}},
      {"UMTHISWEEKN.dat", MakeRecord(jvdata::RecordType::UM, {}), {"UM record file, 1609-byte records", "Pedigree[13].AncestorName"}},
  };
  for (const auto& c : cases) {
    const auto r = RunCli("dump '" + Write(c.file, c.bytes) + "'");
    EXPECT_EQ(r.exit_code, 0) << c.file;
    for (const auto& e : c.expected) EXPECT_NE(r.out.find(e), std::string::npos) << c.file << ": " << e;
  }
}

TEST_F(DumpTest, ExpandedRecordsWithTheirRealsAsNumbers) {
  using engine::ExRecord;
  namespace ex = engine::ex;
  ExRecord run;
  run.SetText(ex::RecordSpec, "SE");
  run.SetText(ex::HorseName, common::ToCp932("サクラバクシンオー"));
  run.SetText(ex::Kyori, "1600");
  run.SetText(ex::SpeedCodes, "6260869", ex::kObservedAgariCode);
  run.SetFactorCode(4, "55");
  run.SetReal(ex::AgariFW, 1, 1.5f);
  run.SetReal(ex::PaceFW, 30, -20.5f);
  run.SetReal(ex::SpeedResults, ex::kCombinedSoha, 62.6f);
  run.SetText(ex::LineEnd, "\r\n");
  const std::string two = run.bytes() + run.bytes();
  const std::vector<std::string> expected = {
      "expanded-record file, 2603-byte records, 2 records", "record 2 (EX)", "HorseName: [サクラバクシンオー",
      "Kyori: [1600]", "Ancestor7.Name: [\\0", "SpeedCodes[0]: [6260869]", "FactorCode4: [55  ]",
      "FactorCategoryIndex[30]: [\\0\\0\\0\\0]", "AgariFW[1]: 1.5\n", "AgariFW[2]: 0\n",
      "PaceFW[30]: -20.5\n", "SpeedResults[6]: 62.6\n", "LineEnd: [\\r\\n]"};
  // Known by its name, or by its records whatever the name.
  for (const std::string name : {"2019104567EX.dat", "copy.dat"}) {
    const auto r = RunCli("dump '" + Write(name, two) + "'");
    EXPECT_EQ(r.exit_code, 0) << name;
    for (const auto& e : expected) EXPECT_NE(r.out.find(e), std::string::npos) << name << ": " << e;
  }
  const auto partial = RunCli("dump '" + Write("2019104568EX.dat", two + "SE") + "'");
  EXPECT_EQ(partial.exit_code, 1);
  EXPECT_NE(partial.out.find("2 records"), std::string::npos);
  EXPECT_NE(partial.out.find("2 bytes after record 2: a partial record"), std::string::npos);
}

TEST_F(DumpTest, DeliveredLinesIncludingAFullTrifectaLine) {
  const std::string o6 = MakeRecord(jvdata::RecordType::O6, {});
  const std::string se_short = MakeRecord(jvdata::RecordType::SE, {}).substr(0, 100) + "\r\n";
  const auto r = RunCli("dump '" + Write("O6THISWEEKN.dat", o6 + se_short) + "'");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find("delivered records, one per line, 2 lines"), std::string::npos);
  EXPECT_NE(r.out.find("line 1 (O6, 83285 of 83285 bytes)"), std::string::npos);
  EXPECT_NE(r.out.find("Entries[4895].Popularity"), std::string::npos);
  EXPECT_NE(r.out.find("line 2 (SE, 102 of 555 bytes)"), std::string::npos);
}

TEST_F(DumpTest, StatisticsFilesColumnByColumn) {
  std::string stallion(402, '0');
  stallion.replace(0, 10, "1100001007").replace(34, 6, "000123").replace(400, 2, "\r\n");
  const auto r = RunCli("dump '" + Write("stallion.DAT", stallion + stallion.substr(0, 100)) + "'");
  EXPECT_EQ(r.exit_code, 0);
  for (const char* e : {"StallionStatsRecord file, 402-byte records, 1 records", "record 1\n  Key: [1100001007]", "A5: [000123]",
                        "B4: [000000000]", "C53: [000000]", "End: [\\r\\n]", "partial record of 100 bytes at the end"})
    EXPECT_NE(r.out.find(e), std::string::npos) << e << "\n" << r.out.substr(0, 400);
}

TEST_F(DumpTest, ModelFilesByItemWithTheirCategoryCodes) {
  std::string totals = "2";
  for (int i = 2; i <= 30; ++i) totals += i == 7 ? ",1" : ",0";
  Write("QA1SibaTotalData201801N2024.dat", totals + "\r\n");
  Write("SibaItemCategory201801N2024.dat", "\"2023     \",\"2024     \"\r\n\"13   \"\r\n");
  const auto weights = RunCli("dump '" + Write("QA1SibaPaceWeightData201801N2024.dat", "60.25,60.5\r\n0.05\r\n9\r\n") + "'");
  EXPECT_EQ(weights.exit_code, 0);
  for (const char* e : {"weight model file of Siba, 4 values", "item 1 YearFactor 年度 (width 9): 2 categories",
                        "  2 [2024     ] 60.5", "item 7 KishuFukushoFactor 騎手の複勝率 (width 5): 1 categories",
                        "  1 [13   ] 0.05", "item 30 BanusiArningFactor", "1 further values (not read)"})
    EXPECT_NE(weights.out.find(e), std::string::npos) << e << "\n" << weights.out;
  const auto total = RunCli("dump '" + dir_.string() + "/QA1SibaTotalData201801N2024.dat'");
  EXPECT_NE(total.out.find("item 7 KishuFukushoFactor 騎手の複勝率 (width 5): 1 categories"), std::string::npos) << total.out;
  // Without the category counts beside it, a model file is listed value by value.
  const auto alone = RunCli("dump '" + Write("QA1DirtSohaWeightData201801N2024.dat", "59.5\r\n") + "'");
  EXPECT_NE(alone.out.find("values in file order\n  1: [59.5]"), std::string::npos) << alone.out;
}

TEST_F(DumpTest, BadInputIsReportedNotCrashedOn) {
  const auto garbled = RunCli("dump '" + Write("garbled.dat", "XX\x81\xFF\r\nRA\xA0\r\n") + "'");
  EXPECT_EQ(garbled.exit_code, 1);
  EXPECT_NE(garbled.out.find("line 1: unknown record type"), std::string::npos);
  EXPECT_NE(garbled.out.find("RecordSpec: [RA]"), std::string::npos);
  EXPECT_NE(garbled.out.find("DataCategory: [\\xA0]"), std::string::npos);
  EXPECT_EQ(RunCli("dump '" + (dir_ / "missing.dat").string() + "'").exit_code, 1);
  EXPECT_EQ(RunCli("dump").exit_code, 2);
  const auto empty = RunCli("dump '" + Write("empty.dat", "") + "'");
  EXPECT_EQ(empty.exit_code, 0);
  EXPECT_NE(empty.out.find("empty file"), std::string::npos);
}

// A stored record that was delivered short ends in blanks, not its line end: the file is still
// a record file. Anything but a regular file fails at once (a FIFO would wait for ever).
TEST_F(DumpTest, ShortStoredRecordsAndFilesThatAreNotFiles) {
  const std::string se = MakeRecord(jvdata::RecordType::SE, {{jvdata::se::KettoNum, "2000000001"}});
  const std::string path = Write("SE.dat", jvdata::StoredForm(jvdata::RecordType::SE, se.substr(0, 300)) + se);
  const auto out = RunCli("dump " + path);
  EXPECT_EQ(out.exit_code, 0) << out.out;
  EXPECT_NE(out.out.find("SE record file, 555-byte records, 2 records"), std::string::npos) << out.out;

  const std::string fifo = (dir_ / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const auto refused = RunCli("dump " + fifo);
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.out.find("通常のファイルではありません"), std::string::npos) << refused.out;
}

// Under a file-size limit a step reports the failed write and exits non-zero instead of being
// killed by the signal.
TEST_F(DumpTest, AFileSizeLimitIsReportedNotFatal) {
  const auto made = RunCli("demo " + (dir_ / "week").string());
  ASSERT_EQ(made.exit_code, 0) << made.out;
  const std::string command =
      "ulimit -f 2; '" + std::string(RADADOVUR_CLI) + "' download " + (dir_ / "week").string() + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
  const int status = ::pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by a signal: " << out;
  EXPECT_EQ(WEXITSTATUS(status), 1) << out;
  EXPECT_NE(out.find("ファイルが大きすぎます"), std::string::npos) << out;
}

}  // namespace
}  // namespace radadovur
