#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "common/cp932.h"
#include "common/text_file.h"
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
  EXPECT_NE(refused.out.find("not a regular file"), std::string::npos) << refused.out;
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
  EXPECT_NE(out.find("File too large"), std::string::npos) << out;
}

}  // namespace
}  // namespace radadovur
