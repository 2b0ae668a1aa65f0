#include "steps/startup.h"
#include "common/folder_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>

#include "common/file_date.h"
#include "steps/model_package.h"
#include "support/program_folder.h"
#include "common/names.h"
#include "support/recording_host.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using testing::ProgramFolder;
using testing::RecordingHost;

constexpr year_month_day kToday{year(2024), month(8), day(12)};

class StartupTest : public ::testing::Test {
 protected:
  void Touch(const std::string& relative) { folder_.Touch(relative); }
  void Package(year_month_day date, int hour = 12, int minute = 0, int second = 0) {
    folder_.Package(date, hour, minute, second);
  }
  std::set<std::string> Entries() const {
    std::set<std::string> out;
    // The folder's lock file is left by every step, this one too.
    for (const auto& e : fs::recursive_directory_iterator(dir_))
      if (e.path().filename() != common::kFolderLockFile) out.insert(e.path().string());
    return out;
  }
  void Run() { failures_ = steps::RunStartup(common::RunStateFor(app_path_), kToday, host_); }

  ProgramFolder folder_;
  const fs::path dir_ = folder_.dir();
  const std::string app_path_ = folder_.app_path();
  RecordingHost host_;
  common::StepFailures failures_;
};

TEST_F(StartupTest, CreatesTheWorkingFoldersAndShowsAFreshPackage) {
  Package(year_month_day{year(2024), month(7), day(29)}, 9, 5, 0);
  Run();
  for (auto name : common::names::kWorkingFolders) EXPECT_TRUE(fs::is_directory(app_path_ + std::string(name))) << name;
  EXPECT_FALSE(fs::exists(app_path_ + "JRACODE"));
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_TRUE(failures_.empty());
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainLabel1), steps::PackagePresentCaption("2024/07/29 9:05:00"));
  ASSERT_EQ(host_.events[0].kind, "colour");
  EXPECT_EQ(host_.events[0].slot, common::StatusSlot::kMainLabel1);
  EXPECT_EQ(host_.events[0].text, std::to_string(0x80FF80));
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText2), "今週の結果は必ず前に今週の予想の3つの操作を行って下さい。");
}

TEST_F(StartupTest, FoldersAlreadyPresentCreateNothingAndReportNothing) {
  Package(year_month_day{year(2024), month(8), day(1)});
  for (auto name : common::names::kWorkingFolders) fs::create_directory(app_path_ + std::string(name));
  const auto before = Entries();
  Run();
  EXPECT_EQ(Entries(), before);
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_TRUE(failures_.empty());
}

TEST_F(StartupTest, MissingPackageGivesOneMessageAndStillCleansUp) {
  for (auto name : common::names::kRealtimeFiles) Touch(std::string(name));
  Run();
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_EQ(host_.Messages()[0],
            app_path_ + "自己解凍EXEにある展開先の指定をクリックして予想因子パラメータをセットして下さい。");
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainLabel1),
            "まだ、予想因子ウエイトが展開されていません。自己解凍EXEにある展開先の指定をクリックして起動させて下さい。");
  for (const auto& e : host_.events) EXPECT_NE(e.kind, "colour");
  for (auto name : common::names::kRealtimeFiles) EXPECT_FALSE(fs::exists(app_path_ + std::string(name))) << name;
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText2), steps::kStartupReminder);
  EXPECT_TRUE(failures_.empty());
}

// Unpacked on Windows, the package's folder and file may come in any case.
TEST_F(StartupTest, FindsAPackageSpelledInAnotherCase) {
  Touch("option1n/kyosoba.dat");
  Run();
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainLabel1).rfind("予想因子ウエイトは展開されています。作成日は ", 0), 0u);
  EXPECT_TRUE(failures_.empty());
}

TEST_F(StartupTest, WarnsOnlyWhenThePackageIsMoreThan1000DaysOld) {
  struct Case {
    int days_old;
    int hour;
    bool warned;
  };
  // Late in the day and early in the day: only the date part counts.
  for (const Case c : {Case{1000, 23, false}, Case{1000, 0, false}, Case{1001, 23, true}, Case{1001, 0, true},
                       Case{0, 12, false}, Case{-3, 12, false}}) {
    host_.events.clear();
    Package(year_month_day(sys_days(kToday) - days(c.days_old)), c.hour, 30, 15);
    Run();
    const auto messages = host_.Messages();
    if (c.warned) {
      ASSERT_EQ(messages.size(), 1u) << c.days_old;
      EXPECT_EQ(messages[0], app_path_ +
                                 "予想因子ウエイトが最新ではありません。さらに高精度の予想を望まれる場合、最新予想ウエイトを取得して下さい。");
    } else {
      EXPECT_TRUE(messages.empty()) << c.days_old;
    }
    EXPECT_EQ(host_.LastText(common::StatusSlot::kMainLabel1).rfind("予想因子ウエイトは展開されています。作成日は ", 0), 0u);
  }
  EXPECT_TRUE(failures_.empty());
}

// A folder name taken by a file and a realtime "file" that cannot be deleted are skipped: the
// rest goes on, nothing extra is shown, and both are named as failures.
TEST_F(StartupTest, FailingItemsAreSkippedAndCollected) {
  Package(year_month_day{year(2024), month(8), day(1)});
  Touch("RACE");
  Touch("HRRIALTIME.dat/keep");
  Touch("O6RIALTIME.dat");
  Run();
  EXPECT_TRUE(fs::is_directory(app_path_ + "SOKUDO"));
  EXPECT_FALSE(fs::exists(app_path_ + "O6RIALTIME.dat"));
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText2), steps::kStartupReminder);
  ASSERT_EQ(failures_.Texts().size(), 2u);
  EXPECT_NE(failures_.Texts()[0].find("RACE"), std::string::npos);
  EXPECT_NE(failures_.Texts()[1].find("HRRIALTIME.dat"), std::string::npos);
}

TEST(FileDate, DatePartOfTheGeneralDateFormat) {
  EXPECT_EQ(common::DatePartOf("2024/07/29 9:05:00"), (year_month_day{year(2024), month(7), day(29)}));
  EXPECT_EQ(common::DatePartOf("2024/02/30 0:00:00"), std::nullopt);
  EXPECT_EQ(common::DatePartOf("2024-07-29"), std::nullopt);
  EXPECT_EQ(common::DatePartOf("2024/7/29"), std::nullopt);
  EXPECT_EQ(common::DaysBetween(year_month_day{year(2021), month(11), day(16)}, kToday), 1000);
}

TEST(AppPath, AFolderEndingInSlashGetsNoSecondSlash) {
  EXPECT_EQ(common::WithTrailingSlash("/"), "/");
  EXPECT_EQ(common::WithTrailingSlash("/srv/radadovur/"), "/srv/radadovur/");
  EXPECT_EQ(common::WithTrailingSlash("/srv/radadovur"), "/srv/radadovur/");
  EXPECT_EQ(common::RunStateFor("/srv/radadovur").AppPath, "/srv/radadovur/");
}

// Standard output and exit code of a shell command.
std::pair<std::string, int> RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
  const int status = ::pclose(pipe);
  return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// The command line runs the same start-up and exits non-zero when an item failed; a missing
// model package is such an item there, named with the folder to unpack it into.
TEST_F(StartupTest, CommandLine) {
  const std::string cli = std::string(RADADOVUR_CLI) + " startup ";
  auto [out, code] = RunCommand(cli + dir_.string());
  EXPECT_EQ(code, 1);
  EXPECT_NE(out.find("フォルダ「" + app_path_ + "OPTION1N」に展開して"), std::string::npos) << out;
  EXPECT_NE(out.find("[Text2] " + std::string(steps::kStartupReminder)), std::string::npos) << out;
  EXPECT_TRUE(fs::is_directory(app_path_ + "KAIME"));

  fs::remove_all(app_path_ + "RACE");
  Touch("RACE");
  EXPECT_EQ(RunCommand(cli + dir_.string() + " 2>/dev/null").second, 1);
  EXPECT_EQ(RunCommand(cli + " 2>/dev/null").second, 2);
}

}  // namespace
}  // namespace radadovur
