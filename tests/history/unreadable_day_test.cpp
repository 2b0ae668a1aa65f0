// radadovur-cli history and hits on a folder where one day's hit table or result document is no
// readable file: the command names it and fails, and the files made from it keep their bytes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "common/text_file.h"
#include "support/history_fixture.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"
#include "support/unprivileged.h"

namespace radadovur::testing {
namespace {

namespace fs = std::filesystem;

struct Unreadable {
  const char* what;
  std::function<void(const std::string& path)> make;
  bool for_everyone = true;  // unreadable to root as well; mode 000 is not
};

const Unreadable kUnreadable[] = {
    {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
    {"directory", [](const std::string& p) { fs::create_directory(p); }},
    {"/dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
    {"mode 000",
     [](const std::string& p) {
       ASSERT_TRUE(common::WriteFileAtomic(p, "\"x\"\r\n").ok());
       ASSERT_EQ(::chmod(p.c_str(), 0), 0);
     },
     false},
};

class UnreadableDayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(app_ + "SOKUDO");
    WriteDaysAroundTheBrokenOne(app_);
    // What earlier loads left: stands for files made from the days as they were.
    for (const char* name : kMade) ASSERT_TRUE(common::WriteFileAtomic(app_ + name, "earlier\r\n").ok());
  }
  std::string Read(const char* name) const { return common::ReadWholeFile(app_ + name).value_or("<unreadable>"); }
  // Replaces the broken day's file by the unreadable kind.
  void Break(const Unreadable& kind, const std::string& file) {
    const std::string path = app_ + "TEKICHU/" + kBrokenKey + file;
    fs::remove(path);
    kind.make(path);
  }
  // A kind that root cannot read either runs as it is; mode 000 as a user without privileges,
  // for whom that file is unreadable (root reads it).
  CliResult Run(const char* command, const Unreadable& kind) const {
    const std::string args = std::string(command) + " '" + app_ + "'";
    return kind.for_everyone ? RunCli(args) : RunCliUnprivileged(0, args, folder_.path());
  }
  CliResult Run(const char* command) const { return RunCli(std::string(command) + " '" + app_ + "'"); }

  void ResultDocumentCase(const Unreadable& kind);
  void HitTableCase(const Unreadable& kind);

  static constexpr const char* kMade[] = {"SOKUDO/HR20240922.csv", "SOKUDO/HR20240921.csv", "SOKUDO/RACEID.txt",
                                          "TEKICHU/RACEIDYMDLKN.txt", "TEKICHU/ATARILIST.txt"};
  TempFolder folder_{"rdv_unreadable_day"};
  std::string app_ = folder_.app_path();
};

void UnreadableDayTest::ResultDocumentCase(const Unreadable& kind) {
  if (!kind.for_everyone && !RunsUnprivileged()) return;  // reported by its own test
  {
    SetUp();
    Break(kind, "lupRCM.txt");
    const CliResult history = Run("history", kind);
    EXPECT_EQ(history.exit_code, 1) << kind.what << history.out;
    EXPECT_NE(history.out.find(std::string(kBrokenKey) + "lupRCM.txt"), std::string::npos) << kind.what << history.out;
    EXPECT_EQ(Read("SOKUDO/HR20240922.csv"), "earlier\r\n") << kind.what;
    EXPECT_EQ(Read("SOKUDO/RACEID.txt"), "earlier\r\n") << kind.what;
    EXPECT_EQ(common::SplitLines(Read("SOKUDO/HR20240921.csv")).size(), 1u) << kind.what;  // a day read whole
    const CliResult hits = Run("hits", kind);
    EXPECT_EQ(hits.exit_code, 1) << kind.what << hits.out;
    EXPECT_NE(hits.out.find(std::string(kBrokenKey) + "lupRCM.txt"), std::string::npos) << kind.what << hits.out;
    EXPECT_EQ(Read("TEKICHU/ATARILIST.txt"), "earlier\r\n") << kind.what;
    fs::remove_all(app_ + "TEKICHU");
  }
}

void UnreadableDayTest::HitTableCase(const Unreadable& kind) {
  if (!kind.for_everyone && !RunsUnprivileged()) return;  // reported by its own test
  {
    SetUp();
    Break(kind, "tekichu.txt");
    const CliResult history = Run("history", kind);
    EXPECT_EQ(history.exit_code, 1) << kind.what << history.out;
    EXPECT_NE(history.out.find(std::string(kBrokenKey) + "tekichu.txt"), std::string::npos) << kind.what << history.out;
    EXPECT_EQ(history.out.find(kBrokenKey + std::string(" ")), std::string::npos);  // not listed
    EXPECT_EQ(Read("TEKICHU/RACEIDYMDLKN.txt"), "earlier\r\n") << kind.what;
    EXPECT_EQ(Read("SOKUDO/HR20240922.csv"), "earlier\r\n") << kind.what;
    EXPECT_EQ(common::SplitLines(Read("SOKUDO/HR20240921.csv")).size(), 1u) << kind.what;
    fs::remove_all(app_ + "TEKICHU");
  }
}

TEST_F(UnreadableDayTest, AResultDocumentThatCannotBeReadFailsHistoryAndHitsAndKeepsWhatWasMadeFromIt) {
  for (const Unreadable& kind : kUnreadable) ResultDocumentCase(kind);
}

TEST_F(UnreadableDayTest, AHitTableThatCannotBeReadIsNamedNotSkipped) {
  for (const Unreadable& kind : kUnreadable) HitTableCase(kind);
}

// Root reads a file of mode 000: as root the program runs as nobody, which needs it in reach;
// where it is not, the mode 000 cases above are left out and this test says so.
TEST_F(UnreadableDayTest, ModeZeroCasesRunWithoutPrivileges) {
  if (!RunsUnprivileged())
    GTEST_SKIP() << "the program cannot be started as nobody here: the mode 000 cases were not tried";
}

// As root the program runs as nobody from a copy that user can reach, wherever the build lies:
// here a program inside a folder of mode 0700 (a checkout made under `mktemp -d` or /root) still
// starts and answers for itself, rather than being taken for one that failed.
TEST(UnprivilegedRun, StartsAProgramThatLiesInAFolderNobodyCannotEnter) {
  if (::geteuid() != 0) GTEST_SKIP() << "not root: the program runs as the user who runs the tests";
  for (fs::path p = fs::temp_directory_path(); p != p.parent_path(); p = p.parent_path()) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0)
      GTEST_SKIP() << "the temporary folder " << p << " is out of nobody's reach";
  }
  const TempFolder hidden{"rdv_hidden"};
  ASSERT_EQ(::chmod(hidden.path().c_str(), 0700), 0);
  const std::string program = hidden.path() + "/radadovur-cli";
  ASSERT_TRUE(fs::copy_file(RADADOVUR_CLI, program));
  const TempFolder work{"rdv_nobody_work"};
  const CliResult r = RunProgramAsNobody(program, 0, "history '" + work.path() + "/none'", work.path());
  EXPECT_EQ(r.exit_code, 1) << r.out;
  EXPECT_NE(r.out.find("がありません"), std::string::npos) << r.out;
}

TEST_F(UnreadableDayTest, ReadableDaysRewriteEverything) {
  EXPECT_EQ(Run("history").exit_code, 0);
  EXPECT_EQ(Run("hits").exit_code, 0);
  EXPECT_EQ(common::SplitLines(Read("SOKUDO/HR20240922.csv")).size(), 5u);
  EXPECT_EQ(common::SplitLines(Read("TEKICHU/RACEIDYMDLKN.txt")).size(), 3u);
  EXPECT_NE(Read("TEKICHU/ATARILIST.txt"), "earlier\r\n");
}

}  // namespace
}  // namespace radadovur::testing
