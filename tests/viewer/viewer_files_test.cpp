// radadovur-cli viewer on a race whose ticket or runner sort file is missing (no records, as
// before) or is there but no file it can read: a FIFO, a link to /dev/zero, a folder, a file of
// mode 000. Each of those is named, the grids show no records and the command fails.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "results/results_fixture.h"
#include "support/run_cli.h"
#include "support/unprivileged.h"
#include "support/week_record.h"
#include "viewer/race_viewer.h"
#include "viewer/viewer_fixture.h"

namespace radadovur::viewer {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kKey = "202409220611";

struct Stand {
  const char* what;
  std::function<void(const std::string& path)> put;  // empty: the file is missing
};

const Stand kStands[] = {
    {"missing", {}},
    {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
    {"/dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
    {"folder", [](const std::string& p) { fs::create_directory(p); }},
    {"mode 000",
     [](const std::string& p) {
       ASSERT_TRUE(common::WriteFileAtomic(p, "\"x\"\r\n").ok());
       ASSERT_EQ(::chmod(p.c_str(), 0), 0);
     }},
};

class ViewerFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_.app() + "JRACODE");
    folder_.Write("JRACODE/CodeTable.csv", testing::SmallCodeTable());
    folder_.Write("RATHISWEEKNNEW.dat", testing::RaceRecord(kKey, "7"));
    folder_.Write("HRTHISWEEKN.dat", testing::PayoutRecord(kKey, {}));
    folder_.Write("RACETHISWEEKNSYOSAI.dat", "\"" + kKey + "\",\"11\"\r\n");
    folder_.Write("RACE/" + kKey + ".dat", testing::RunnerRecord(testing::Runner{}));
    folder_.Tickets(kKey, "UMARENSORT.dat", "Umaren", {"0102"});
    folder_.Tickets(kKey, "SANRENSORT.dat", "Sanrenpuku", {"010203"});
    folder_.Matrix(kKey, "SANRENODDS.dat", 3, {{19 * 19 + 2 * 19 + 3, "12.5"}});
    folder_.Ranks(kKey, {"1"});
    testing::MarkStepsFinished(folder_.app(), steps::WeekStep::kResults);  // ⑥ has run
  }
  testing::CliResult View(bool unprivileged) const {
    const std::string args = "viewer '" + folder_.app() + "' " + kKey;
    return unprivileged ? testing::RunCliUnprivileged(60, args, folder_.app()) : testing::RunCliWithin(60, args);
  }

  testing::ViewerFolder folder_;
};

TEST_F(ViewerFilesTest, AFileThatIsThereButCannotBeReadIsNamedAndFailsTheViewer) {
  const testing::CliResult sound = View(false);
  ASSERT_EQ(sound.exit_code, 0) << sound.out;
  ASSERT_THAT(sound.out, HasSubstr("01-02"));
  ASSERT_THAT(sound.out, HasSubstr("12.5"));

  for (const char* suffix : {"SORT.dat", "SANRENODDS.dat", "UMARENSORT.dat"}) {
    const std::string name = "KAIME/" + kKey + suffix;
    const std::string path = folder_.app() + name;
    const std::string bytes = *common::ReadWholeFile(path);
    for (const Stand& stand : kStands) {
      SCOPED_TRACE(std::string(suffix) + " " + stand.what);
      const bool no_permission = std::string(stand.what) == "mode 000";
      if (no_permission && !testing::RunsUnprivileged()) continue;  // reported by the test below
      fs::remove(path);
      if (stand.put) stand.put(path);
      const testing::CliResult r = View(no_permission);
      EXPECT_NE(r.exit_code, testing::kTimedOut);
      if (!stand.put) {
        EXPECT_EQ(r.exit_code, 0) << r.out;  // no records, as before ⑥ writes the file
        EXPECT_THAT(r.out, Not(HasSubstr(std::string(kChooseRaceFailureHeading))));
      } else {
        EXPECT_EQ(r.exit_code, 1) << r.out;
        EXPECT_THAT(r.out, HasSubstr(std::string(kChooseRaceFailureHeading)));
        EXPECT_THAT(r.out, HasSubstr(path));
      }
      fs::remove_all(path);
      ASSERT_TRUE(common::WriteFileAtomic(path, bytes).ok());
    }
  }
}

TEST_F(ViewerFilesTest, ModeZeroCasesRunWithoutPrivileges) {
  if (!testing::RunsUnprivileged())
    GTEST_SKIP() << "the program cannot be started as nobody here: the mode 000 cases were not tried";
}

}  // namespace
}  // namespace radadovur::viewer
