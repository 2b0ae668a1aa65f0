// The realtime steps of the command line on the Monday demo week (after ① ② ④ ⑤ ⑥) with damaged
// deliveries, a damaged realtime file and race ids holding NUL bytes: a damaged record is left
// out and named, a damaged realtime file names the remedy that mends it, and every failure line
// that shows an id is whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/names.h"
#include "common/status.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "store/record_block.h"
#include "store/store_files.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
namespace names = common::names;

class RealtimeDeliveriesWeek : public ::testing::Test {
 protected:
  // The week is made once; each test works on a copy.
  static void SetUpTestSuite() {
    week_ = (fs::temp_directory_path() / ("rdv_deliveries_week_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(week_);
    ::setenv("XDG_CONFIG_HOME", (week_ + "config").c_str(), 1);
    for (const std::string step : {"demo", "startup", "download", "structure", "daybefore", "predict", "results"}) {
      const std::string args = step + " '" + week_ + "'" + (step == "demo" ? " --state monday" : "");
      const auto r = testing::RunCli(args);
      ASSERT_EQ(r.exit_code, 0) << args << ":\n" << r.out;
    }
  }
  static void TearDownTestSuite() { fs::remove_all(week_); }
  void SetUp() override {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = (fs::temp_directory_path() / ("rdv_deliveries_" + std::to_string(::getpid()) + "_" + test)).string() + "/";
    fs::remove_all(dir_);
    fs::copy(week_, dir_, fs::copy_options::recursive);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(dir_); }

  testing::CliResult Run(const std::string& step) const { return testing::RunCli(step + " '" + dir_ + "'"); }
  std::string Bytes(const std::string& name) const { return common::ReadWholeFile(dir_ + name).value_or("<none>"); }
  void Write(const std::string& name, const std::string& bytes) const {
    ASSERT_TRUE(common::WriteFileAtomic(dir_ + name, bytes).ok()) << name;
  }

  static inline std::string week_;
  std::string dir_;
};

TEST_F(RealtimeDeliveriesWeek, ADamagedRaceRecordIsLeftOutNamedAndTheRealtimeFileStaysWhole) {
  // One byte put into the first race record of the last race day's recording.
  const std::string recording = "JVDATA/0B12/20240804.jvd";
  std::string bytes = Bytes(recording);
  const size_t ra = bytes.find("\nRA") + 1;
  ASSERT_NE(ra, 0u);
  bytes.insert(ra + 100, "x");
  Write(recording, bytes);

  const auto results = Run("realtime-results");
  EXPECT_EQ(results.exit_code, 1) << results.out;
  EXPECT_NE(results.out.find("0B12/20240804.jvd の "), std::string::npos) << results.out;
  EXPECT_EQ(results.out.find("処理完了"), std::string::npos) << results.out;
  store::RecordBlock races;
  EXPECT_TRUE(store::ReadRecordBlock(dir_, store::kRaRealtime, races).ok());
  EXPECT_GT(races.count(), 0u);  // the other race records of the deliveries
  // What the fetch kept reads back whole: the cancellation processing names the delivery again,
  // not the realtime file.
  const auto cancel = Run("cancel");
  EXPECT_NE(cancel.out.find("0B12/20240804.jvd の "), std::string::npos) << cancel.out;
  EXPECT_EQ(cancel.out.find("起動時の処理"), std::string::npos) << cancel.out;
}

TEST_F(RealtimeDeliveriesWeek, ADamagedRealtimeFileNamesTheStartUpAndTheStartUpMendsIt) {
  ASSERT_EQ(Run("cancel").exit_code, 0);
  Write(std::string(names::kRaRealtime), " " + Bytes(std::string(names::kRaRealtime)));
  const auto damaged = Run("cancel");
  EXPECT_EQ(damaged.exit_code, 1) << damaged.out;
  EXPECT_NE(damaged.out.find("radadovur-cli startup"), std::string::npos) << damaged.out;
  EXPECT_EQ(damaged.out.find("①今週開催取得からやり直して"), std::string::npos) << damaged.out;
  // The remedy as told: the start-up, then the step again.
  ASSERT_EQ(Run("startup").exit_code, 0);
  const auto again = Run("cancel");
  EXPECT_EQ(again.exit_code, 0) << again.out;
}

TEST_F(RealtimeDeliveriesWeek, EveryStepThatRequestsByDeliveredIdsShowsAnIdWithNulBytesWhole) {
  // A NUL in the month of every race id (and so of every race date) of both race files.
  std::string last_id;
  for (const std::string_view name : {names::kRaThisWeek, names::kRaNew}) {
    std::string races = Bytes(std::string(name));
    ASSERT_EQ(races.size() % jvdata::ra::kLength, 0u);
    for (size_t at = 0; at < races.size(); at += jvdata::ra::kLength) races[at + 11 + 5] = '\0';
    last_id = races.substr(races.size() - jvdata::ra::kLength + 11, 16);
    Write(std::string(name), races);
  }
  const std::string date = common::Shown(last_id.substr(0, 8));
  struct Step {
    const char* command;
    std::vector<std::string> lines;  // whole failure texts that must be shown
  };
  const Step steps[] = {
      // One line for the races refused with one code, the first of them (the last race) named.
      {"realtime-odds", {"速報オッズ（0B30）: JVRTOpenエラー。RC=-112（", "レース: " + common::Shown(last_id)}},
      {"realtime-results",
       {"速報単勝オッズ（0B30）: JVRTOpenエラー。RC=-112（", "レース: " + common::Shown(last_id),
        "速報着順等（0B12 " + date + "）: JVRTOpenエラー。RC=-112"}},
      {"cancel", {"速報着順等（0B12 " + date + "）: JVRTOpenエラー。RC=-112"}},
  };
  for (const Step& step : steps) {
    const auto r = Run(step.command);
    EXPECT_EQ(r.exit_code, 1) << step.command << ":\n" << common::Shown(r.out);
    EXPECT_EQ(r.out.find('\0'), std::string::npos) << step.command;
    for (const std::string& line : step.lines)
      EXPECT_NE(r.out.find(line), std::string::npos) << step.command << ": " << line << "\n" << common::Shown(r.out);
  }
}

}  // namespace
}  // namespace radadovur
