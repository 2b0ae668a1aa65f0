// One step at a time on a folder: while a step runs (held after it took the folder's lock), a
// second step on the same folder is refused at once with the busy message and exit 1, changing
// nothing; the first then finishes and the folder is what one run of it alone gives.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "support/folder_snapshot.h"
#include "support/held_run.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kBusy = "では別の処理が実行中です";

using testing::Snapshot;

std::vector<std::string> Differences(const std::map<std::string, std::string>& a, const std::map<std::string, std::string>& b) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : a)
    if (!b.count(name) || b.at(name) != bytes) names.push_back(name);
  for (const auto& [name, bytes] : b)
    if (!a.count(name)) names.push_back(name + " (only in the second)");
  return names;
}

using testing::HeldRun;

struct Pair {
  const char* name;
  const char* first;                 // the step held
  std::vector<const char*> seconds;  // each refused while it is held
  std::vector<const char*> before;   // run on the finished week first
};

class OneStepAtATime : public ::testing::TestWithParam<Pair> {
 protected:
  // The Monday week through ⑥ with the cancellation and the odds, made once.
  static void SetUpTestSuite() {
    base_ = (fs::temp_directory_path() / ("rdv_busy_base_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(base_);
    ::setenv("XDG_CONFIG_HOME", (base_ + "config").c_str(), 1);
    for (const std::string step : {"startup", "download", "structure --cancel", "odds", "daybefore", "predict", "results"}) {
      if (step == "startup" && testing::RunCli("demo '" + base_ + "week' --state monday").exit_code != 0) {
        failure_ = "demo";
        return;
      }
      const std::string verb = step.substr(0, step.find(' '));
      const std::string rest = step.size() > verb.size() ? step.substr(verb.size()) : "";
      const auto r = testing::RunCli(verb + " '" + base_ + "week'" + rest);
      if (r.exit_code != 0) {
        failure_ = step + ":\n" + r.out.substr(0, 2000);
        return;
      }
    }
  }
  static void TearDownTestSuite() { fs::remove_all(base_); }

  static std::string Run(const std::string& command, const std::string& dir) {
    const std::string verb = command.substr(0, command.find(' '));
    const std::string rest = command.size() > verb.size() ? command.substr(verb.size()) : "";
    return verb + " '" + dir + "'" + rest;
  }

  static inline std::string base_;
  static inline std::string failure_;
};

TEST_P(OneStepAtATime, SecondRunIsRefusedAndTheFirstFinishesAsAlone) {
  ASSERT_EQ(failure_, "");
  const Pair& pair = GetParam();
  const std::string test_dir = base_ + pair.name + "/";
  const std::string held = test_dir + "held/";
  const std::string alone = test_dir + "alone/";
  fs::create_directories(test_dir);
  fs::copy(base_ + "week", held, fs::copy_options::recursive);
  for (const char* step : pair.before) ASSERT_EQ(testing::RunCli(Run(step, held)).exit_code, 0) << step;
  fs::copy(held, alone, fs::copy_options::recursive);

  HeldRun first(test_dir + "hold.fifo", Run(pair.first, held));
  const auto before = Snapshot(held);
  for (const char* second : pair.seconds) {
    const auto refused = testing::RunCli(Run(second, held));
    EXPECT_EQ(refused.exit_code, 1) << second << "\n" << refused.out;
    EXPECT_THAT(refused.out, HasSubstr(kBusy)) << second;
    EXPECT_THAT(refused.out, HasSubstr("コマンドラインの「")) << second;  // who holds the folder
    // The refusal alone: none of the refused step's own texts or lists.
    EXPECT_THAT(refused.out, Not(HasSubstr("開始しました"))) << second;
    EXPECT_THAT(refused.out, Not(HasSubstr("[TekichuListAZ"))) << second;
    EXPECT_EQ(Differences(before, Snapshot(held)), std::vector<std::string>{}) << second << " changed the folder";
  }
  const auto finished = first.Release();
  EXPECT_EQ(finished.exit_code, 0) << finished.out;

  ASSERT_EQ(testing::RunCli(Run(pair.first, alone)).exit_code, 0);
  EXPECT_EQ(Differences(Snapshot(held), Snapshot(alone)), std::vector<std::string>{});
  fs::remove_all(test_dir);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, OneStepAtATime,
    ::testing::Values(Pair{"StructureWithDownload", "structure", {"download"}, {}},
                      Pair{"PredictWithEarlierSteps", "predict", {"download", "structure", "daybefore", "history", "hits"}, {}},
                      Pair{"ResultsWithResults", "results", {"results"}, {}},
                      Pair{"ResultsWithRealtimeResults", "results", {"realtime-results"}, {}},
                      Pair{"CancellationWithStartup", "cancel", {"startup"}, {}}),
    [](const ::testing::TestParamInfo<Pair>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace radadovur
