// Every JV-Link step of the command line on a finished Monday demo week whose recordings are
// missing, hold no data-type folder or cannot be read: the step fails (exit 1) naming the folder
// with the reason, never says "no data", and the files it would have replaced keep their bytes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "common/names.h"
#include "common/text_file.h"
#include "support/run_cli.h"
#include "support/unprivileged.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
namespace names = common::names;

struct Step {
  const char* command;
  std::vector<const char*> folders;  // the data-type folders it reads
  std::vector<std::string_view> kept;  // the files it replaces or appends to
};

const Step kSteps[] = {
    {"download", {"TOKURACETCVNRCVN"}, {"RATHISWEEKN.dat", "SETHISWEEKN.dat", "UMTHISWEEKN.dat", "KSTHISWEEKN.dat"}},
    {"odds", {"TOKURACETCOVRCOV"}, {names::kO2ThisWeek, names::kO4ThisWeek, names::kO5ThisWeek, names::kO6ThisWeek}},
    {"cancel", {"0B12"}, {"RATHISWEEKNNEW.dat", "SETHISWEEKNNEW.dat", names::kRaRealtime, names::kSeRealtime}},
    {"realtime-odds", {"0B30"}, {names::kO2Realtime, names::kO4Realtime, names::kO5Realtime, names::kO6Realtime}},
    {"realtime-results",
     {"0B30", "0B12"},
     {names::kO1Realtime, names::kRaRealtime, names::kSeRealtime, names::kHrRealtime, "RACE/202408030101.dat"}},
};

struct Kind {
  const char* what;
  bool unprivileged;  // mode 000 means nothing to root: run as a user without privileges
  // Breaks the recording folder `jvdata` for a step reading `folders`.
  std::function<void(const std::string& jvdata, const std::vector<const char*>& folders)> make;
  std::vector<std::string> told;  // what the output must say
};

const Kind kKinds[] = {
    {"the recording folder missing", false,
     [](const std::string& jvdata, const auto&) { fs::rename(jvdata, jvdata + ".away"); },
     {"RC=-113", "記録フォルダがありません"}},
    {"a recording folder without data-type folders", false,
     [](const std::string& jvdata, const auto&) {
       fs::rename(jvdata, jvdata + ".away");
       fs::create_directories(jvdata);
       ASSERT_TRUE(common::WriteFileAtomic(jvdata + "/letter.txt", "x").ok());
     },
     {"RC=-113", "データ種別のフォルダがひとつもありません", "プログラムのフォルダの JVDATA"}},
    {"the data-type folder a link to itself", false,
     [](const std::string& jvdata, const auto& folders) {
       for (const char* f : folders) {
         fs::remove_all(jvdata + "/" + f);
         fs::create_symlink(jvdata + "/" + f, jvdata + "/" + f);
       }
     },
     {"RC=-114", "JVDATA/", "リンク"}},
    {"the data-type folder of mode 000", true,
     [](const std::string& jvdata, const auto& folders) {
       for (const char* f : folders) ASSERT_EQ(::chmod((jvdata + "/" + f).c_str(), 0), 0);
     },
     {"RC=-114", "JVDATA/", "権限がありません"}},
    {"the recording folder of mode 000", true,
     [](const std::string& jvdata, const auto&) { ASSERT_EQ(::chmod(jvdata.c_str(), 0), 0); },
     {"RC=-114", "JVDATA を読めません", "権限がありません"}},
};

class UnreadableRecordingsWeek : public ::testing::Test {
 protected:
  // The week is made once, every fetch run once; each case works on a copy.
  static void SetUpTestSuite() {
    week_ = (fs::temp_directory_path() / ("rdv_unreadable_rec_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(week_);
    ::setenv("XDG_CONFIG_HOME", (week_ + "config").c_str(), 1);
    // ⑥ last, so that its runner files are not yet patched from the realtime files the week keeps.
    for (const std::string step : {"demo", "startup", "download", "structure", "daybefore", "predict", "results", "odds",
                                   "realtime-odds", "realtime-results", "results"}) {
      const std::string args = step + " '" + week_ + "'" + (step == "demo" ? " --state monday" : "");
      const auto r = testing::RunCli(args);
      ASSERT_EQ(r.exit_code, 0) << args << ":\n" << r.out;
    }
  }
  static void TearDownTestSuite() { fs::remove_all(week_); }

  static inline std::string week_;
};

TEST_F(UnreadableRecordingsWeek, EveryJvLinkStepFailsNamingTheRecordingsAndChangesNothing) {
  const std::string dir = (fs::temp_directory_path() / ("rdv_unreadable_case_" + std::to_string(::getpid()))).string();
  const std::string app = dir + "/week/";
  std::string skipped;  // the kinds that need a user without privileges, where none can run the program
  for (const Kind& kind : kKinds) {
    if (kind.unprivileged && !testing::RunsUnprivileged()) {
      skipped += std::string(skipped.empty() ? "" : ", ") + kind.what;
      continue;
    }
    for (const Step& step : kSteps) {
      SCOPED_TRACE(std::string(step.command) + " with " + kind.what);
      fs::remove_all(dir);
      fs::create_directories(dir);
      fs::copy(week_, app, fs::copy_options::recursive);
      ::setenv("XDG_CONFIG_HOME", (app + "config").c_str(), 1);
      std::map<std::string_view, std::string> before;
      for (std::string_view name : step.kept)
        before[name] = common::ReadWholeFile(app + std::string(name)).value_or("<none>");
      kind.make(app + "JVDATA", step.folders);
      const std::string args = std::string(step.command) + " '" + app + "'";
      const auto r = kind.unprivileged ? testing::RunCliUnprivileged(0, args, dir) : testing::RunCli(args);
      EXPECT_EQ(r.exit_code, 1) << r.out;
      for (const std::string& told : kind.told) EXPECT_NE(r.out.find(told), std::string::npos) << told << "\n" << r.out;
      // Not "no data", and not a retry for a folder that is not there.
      for (const char* never : {"該当するデータがありません", "RC=-101", "ディスク", "取得完了", "処理完了", "処理終了", "取得終了"})
        EXPECT_EQ(r.out.find(never), std::string::npos) << never << "\n" << r.out;
      std::error_code ignored;  // the folder back to where root's copy can remove it (not there when moved away)
      fs::permissions(app + "JVDATA", fs::perms::owner_all, fs::perm_options::add, ignored);
      for (const auto& [name, bytes] : before)
        EXPECT_TRUE(common::ReadWholeFile(app + std::string(name)).value_or("<none>") == bytes) << name;
    }
  }
  fs::remove_all(dir);
  if (!skipped.empty()) GTEST_SKIP() << "not tried, the program cannot run as a user without privileges here: " << skipped;
}

}  // namespace
}  // namespace radadovur
