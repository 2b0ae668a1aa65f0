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
};

const Unreadable kUnreadable[] = {
    {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
    {"directory", [](const std::string& p) { fs::create_directory(p); }},
    {"/dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
    {"mode 000",
     [](const std::string& p) {
       ASSERT_TRUE(common::WriteFileAtomic(p, "\"x\"\r\n").ok());
       ASSERT_EQ(::chmod(p.c_str(), 0), 0);
     }},
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
  // As a user without privileges, for whom a file of mode 000 is unreadable (root reads it).
  CliResult Run(const char* command) const {
    return RunCliUnprivileged(0, std::string(command) + " '" + app_ + "'", folder_.path());
  }

  void ResultDocumentCase(const Unreadable& kind);
  void HitTableCase(const Unreadable& kind);

  static constexpr const char* kMade[] = {"SOKUDO/HR20240922.csv", "SOKUDO/HR20240921.csv", "SOKUDO/RACEID.txt",
                                          "TEKICHU/RACEIDYMDLKN.txt", "TEKICHU/ATARILIST.txt"};
  TempFolder folder_{"rdv_unreadable_day"};
  std::string app_ = folder_.app_path();
};

void UnreadableDayTest::ResultDocumentCase(const Unreadable& kind) {
  if (std::string(kind.what) == "mode 000" && !RunsUnprivileged()) return;  // reported by its own test
  {
    SetUp();
    Break(kind, "lupRCM.txt");
    const CliResult history = Run("history");
    EXPECT_EQ(history.exit_code, 1) << kind.what << history.out;
    EXPECT_NE(history.out.find(std::string(kBrokenKey) + "lupRCM.txt"), std::string::npos) << kind.what << history.out;
    EXPECT_EQ(Read("SOKUDO/HR20240922.csv"), "earlier\r\n") << kind.what;
    EXPECT_EQ(Read("SOKUDO/RACEID.txt"), "earlier\r\n") << kind.what;
    EXPECT_EQ(common::SplitLines(Read("SOKUDO/HR20240921.csv")).size(), 1u) << kind.what;  // a day read whole
    const CliResult hits = Run("hits");
    EXPECT_EQ(hits.exit_code, 1) << kind.what << hits.out;
    EXPECT_NE(hits.out.find(std::string(kBrokenKey) + "lupRCM.txt"), std::string::npos) << kind.what << hits.out;
    EXPECT_EQ(Read("TEKICHU/ATARILIST.txt"), "earlier\r\n") << kind.what;
    fs::remove_all(app_ + "TEKICHU");
  }
}

void UnreadableDayTest::HitTableCase(const Unreadable& kind) {
  if (std::string(kind.what) == "mode 000" && !RunsUnprivileged()) return;  // reported by its own test
  {
    SetUp();
    Break(kind, "tekichu.txt");
    const CliResult history = Run("history");
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

TEST_F(UnreadableDayTest, ReadableDaysRewriteEverything) {
  EXPECT_EQ(Run("history").exit_code, 0);
  EXPECT_EQ(Run("hits").exit_code, 0);
  EXPECT_EQ(common::SplitLines(Read("SOKUDO/HR20240922.csv")).size(), 5u);
  EXPECT_EQ(common::SplitLines(Read("TEKICHU/RACEIDYMDLKN.txt")).size(), 3u);
  EXPECT_NE(Read("TEKICHU/ATARILIST.txt"), "earlier\r\n");
}

}  // namespace
}  // namespace radadovur::testing
