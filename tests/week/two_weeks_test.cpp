// Two weeks in one folder, as a user runs the program every week: week 1 through step ⑥, then
// week 2's recordings. Step ⑥ run in week 2 before its ⑤ is refused with one message and leaves
// week 1's files as they were; after ④ and ⑤ it writes week 2's documents and leaves week 1's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>

#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
using testing::RunCli;

class TwoWeeksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("rdv_two_weeks_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(dir_); }

  testing::CliResult Run(const std::string& command, const std::string& more = {}) {
    return RunCli(command + " '" + dir_ + "'" + more);
  }
  void RunOk(const std::string& command, const std::string& more = {}) {
    const auto r = Run(command, more);
    ASSERT_EQ(r.exit_code, 0) << command << more << ":\n" << r.out.substr(0, 4000);
  }

  // Every file the week-1 steps wrote for week 1's races and days (their names carry its dates),
  // outside the recordings and the per-horse folders, with its bytes.
  std::map<std::string, std::string> WeekOneFiles() {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir_)) {
      if (!e.is_regular_file()) continue;
      const std::string rel = e.path().string().substr(dir_.size());
      if (rel.rfind("JVDATA", 0) == 0 || rel.rfind("UMAGOTO", 0) == 0) continue;
      if (rel.find("20240803") == std::string::npos && rel.find("20240804") == std::string::npos) continue;
      files[rel] = common::ReadWholeFile(e.path().string()).value_or("<unreadable>");
    }
    return files;
  }

  // The files changed or gone since `before`.
  static std::vector<std::string> Changed(const std::map<std::string, std::string>& before,
                                          const std::map<std::string, std::string>& after) {
    std::vector<std::string> changed;
    for (const auto& [name, bytes] : before) {
      auto it = after.find(name);
      if (it == after.end() || it->second != bytes) changed.push_back(name);
    }
    return changed;
  }

  // Every file of the model package and the code table with its bytes.
  std::map<std::string, std::string> PackageFiles() {
    std::map<std::string, std::string> files;
    for (const char* folder : {"OPTION1N", "JRACODE"})
      for (const auto& e : fs::recursive_directory_iterator(dir_ + folder))
        if (e.is_regular_file())
          files[e.path().string().substr(dir_.size())] = common::ReadWholeFile(e.path().string()).value_or("<unreadable>");
    return files;
  }

  // The day numbers of the week's races (dated `dates`) in the sorted race file, by racecourse and
  // meeting.
  std::map<std::string, std::set<int>> DayNumbers(const std::set<std::string>& dates) {
    std::map<std::string, std::set<int>> days;
    const std::string races = common::ReadWholeFile(dir_ + "RATHISWEEKNNEW.dat").value_or("");
    for (size_t at = 0; at + jvdata::ra::kLength <= races.size(); at += jvdata::ra::kLength) {
      const std::string_view race = std::string_view(races).substr(at, jvdata::ra::kLength);
      if (!dates.count(std::string(jvdata::ra::Year.Of(race)) + std::string(jvdata::ra::MonthDay.Of(race)))) continue;
      days[std::string(jvdata::ra::VenueCode.Of(race)) + std::string(jvdata::ra::Kaiji.Of(race))].insert(
          std::stoi(std::string(jvdata::ra::Nichiji.Of(race))));
    }
    return days;
  }

  bool HasDocumentOf(const std::string& date) {
    for (const auto& e : fs::directory_iterator(dir_ + "TEKICHU"))
      if (e.path().filename().string().rfind(date, 0) == 0) return true;
    return false;
  }

  std::string dir_;
};

TEST_F(TwoWeeksTest, WeekTwoBeforeItsCalculationIsRefusedAndWeekOneKeepsItsDocuments) {
  RunOk("demo", " --state monday");
  for (const char* step : {"startup", "download", "structure", "daybefore", "predict", "results"}) RunOk(step);
  const auto week1 = WeekOneFiles();
  ASSERT_GT(week1.size(), 100u);
  ASSERT_TRUE(HasDocumentOf("20240803"));

  const auto package = PackageFiles();
  ASSERT_GT(package.size(), 10u);
  const auto week1_days = DayNumbers({"20240803", "20240804"});
  ASSERT_FALSE(week1_days.empty());

  RunOk("demo", " --state monday --week 2");
  // The user's model package and code table stay as they are.
  EXPECT_EQ(PackageFiles(), package);
  for (const char* step : {"startup", "download", "structure"}) RunOk(step);
  // The meetings go on: each one's day numbers follow last week's.
  const auto week2_days = DayNumbers({"20240810", "20240811"});
  EXPECT_EQ(week2_days.size(), week1_days.size());
  for (const auto& [meeting, days] : week2_days) {
    ASSERT_TRUE(week1_days.count(meeting)) << meeting;
    EXPECT_EQ(*days.begin(), *week1_days.at(meeting).rbegin() + 1) << meeting;
  }

  // The slip: ⑥ before this week's ④ and ⑤, with last week's expanded records still in the
  // folder; it names the first step to run.
  const auto slip = Run("results");
  EXPECT_NE(slip.exit_code, 0);
  EXPECT_NE(slip.out.find("先に④前日固定を実行して下さい。予想･結果は行いませんでした。"), std::string::npos) << slip.out;
  EXPECT_EQ(slip.out.find("予想･結果終了"), std::string::npos) << slip.out;
  EXPECT_EQ(slip.out.find("終わりました"), std::string::npos) << slip.out;
  EXPECT_EQ(Changed(week1, WeekOneFiles()), std::vector<std::string>{});
  EXPECT_FALSE(HasDocumentOf("20240810"));

  for (const char* step : {"daybefore", "predict"}) RunOk(step);
  // The realtime results before this week's ⑥, with last week's race list and runner files in
  // the folder, patch nothing.
  const std::map<std::string, std::string> before_realtime = WeekOneFiles();
  const auto realtime = Run("realtime-results");
  EXPECT_EQ(realtime.exit_code, 1) << realtime.out;
  EXPECT_NE(realtime.out.find("先に⑥予想・結果を実行して下さい。"), std::string::npos) << realtime.out;
  EXPECT_EQ(realtime.out.find("速報払戻等取得及び処理完了"), std::string::npos) << realtime.out;
  EXPECT_EQ(Changed(before_realtime, WeekOneFiles()), std::vector<std::string>{});

  RunOk("results");
  EXPECT_EQ(Changed(week1, WeekOneFiles()), std::vector<std::string>{});
  EXPECT_TRUE(HasDocumentOf("20240810"));
  EXPECT_TRUE(HasDocumentOf("20240811"));
}

TEST_F(TwoWeeksTest, LaterWeekNeedsTheFolderOfTheWeekBefore) {
  const auto r = Run("demo", " --week 2");
  EXPECT_NE(r.exit_code, 0);
  EXPECT_NE(r.out.find("先に第 1 週を"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace radadovur
