// The demo week after ① ② ④ ⑤ through the results pass with the runner stages: every listed
// race's runner file, its figures and its two runner files of the ticket folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "common/names.h"
#include "common/run_state.h"
#include "common/text_file.h"
#include "engine/calculation_driver.h"
#include "engine/day_before.h"
#include "engine/ex_record.h"
#include "engine/layout_ex.h"
#include "engine/expand_week.h"
#include "engine/stats_lookup.h"
#include "engine/weight_model.h"
#include "jvdata/layout_se.h"
#include "jvdata/race_key.h"
#include "results/ranking.h"
#include "results/results_files.h"
#include "results/results_pass.h"
#include "results/runner_hooks.h"
#include "results/runner_record.h"
#include "support/recording_host.h"
#include "support/run_cli.h"
#include "support/data_names.h"

namespace radadovur::results {
namespace {

namespace fs = std::filesystem;

// Every file below the folders, by name.
std::map<std::string, std::string> Snapshot(const std::string& app, std::initializer_list<const char*> folders) {
  std::map<std::string, std::string> files;
  for (const char* folder : folders)
    for (const auto& e : fs::directory_iterator(app + folder))
      files[std::string(folder) + "/" + e.path().filename().string()] = common::ReadWholeFile(e.path().string()).value_or("<unreadable>");
  return files;
}

std::string RunDate(std::string_view runner, uint32_t e) { return rr::Year.Str(runner, e) + rr::MonthDay.Str(runner, e); }
std::string RunRaceId(std::string_view runner, uint32_t e) {
  return RunDate(runner, e) + rr::VenueCode.Str(runner, e) + rr::Kaiji.Str(runner, e) + rr::Nichiji.Str(runner, e) +
         rr::RaceNum.Str(runner, e);
}

class RunnerWeekTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("rdv_runner_week_" + std::to_string(::getpid()) + "_" + GetParam())).string() + "/";
    fs::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
    for (const std::string step : {"demo", "startup", "download", "structure"}) {
      const std::string args = step == "demo" ? "demo '" + dir_ + "' --state " + GetParam() : step + " '" + dir_ + "'";
      const auto r = testing::RunCli(args);
      ASSERT_EQ(r.exit_code, 0) << step << ":\n" << r.out;
    }
    // ④ and ⑤.
    testing::RecordingHost host;
    common::StepFailures damaged;
    ASSERT_TRUE(engine::FixPreviousDay(dir_, host, damaged).ok());
    ASSERT_TRUE(damaged.empty());
    const auto built = engine::ExpandThisWeek(dir_, host);
    ASSERT_TRUE(built.failures.empty()) << built.failures.Texts().front();
    engine::ReferenceModel reference;
    std::string error;
    ASSERT_TRUE(engine::LoadReferenceModel(dir_, reference, &error)) << error;
    engine::StatsLookup stats(dir_);
    const auto horses = common::ReadQuotedValues(dir_ + std::string(common::names::kKettoNumList));
    const auto calculated = engine::RunCalculation(dir_, horses, reference, stats, host);
    ASSERT_TRUE(calculated.failures.empty()) << calculated.failures.Texts().front();
  }
  void TearDown() override { fs::remove_all(dir_); }

  ResultsPassOutcome Pass(ResultsWindowState& state) {
    testing::RecordingHost host;
    NoRaceWriters writers;
    return RunResultsPass(common::RunStateFor(dir_), host, RunnerHooks(), writers, state);
  }

  std::string dir_;
};

TEST_P(RunnerWeekTest, EveryListedRaceGetsItsRunnerFileAndSortFiles) {
  ResultsWindowState state;
  const auto outcome = Pass(state);
  ASSERT_TRUE(outcome.failures.empty()) << outcome.failures.Texts().front();
  ASSERT_GT(state.RaceCount, 0);

  // This week's entries by race.
  std::map<std::string, std::vector<std::string>> entries;
  const std::string se_bytes = *common::ReadWholeFile(dir_ + std::string(common::names::kSeNew));
  for (size_t at = 0; at + jvdata::se::kLength <= se_bytes.size(); at += jvdata::se::kLength) {
    const std::string entry = se_bytes.substr(at, jvdata::se::kLength);
    entries[jvdata::RaceKey(entry)].push_back(entry);
  }

  // Each horse's newest expanded record: this week's entry, which entry 0 of every runner
  // record of the horse holds, also where the list names one of the horse's past races.
  std::map<std::string, std::string> newest;
  const auto newest_race_id = [&](const std::string& ketto) -> const std::string& {
    auto it = newest.find(ketto);
    if (it != newest.end()) return it->second;
    const std::string bytes = common::ReadWholeFile(dir_ + ::radadovur::testing::NameOf(engine::UmagotoExFileName, ketto)).value_or("");
    std::string id;
    if (bytes.size() >= engine::ex::kLength) id = jvdata::RaceIdOf(bytes.substr(bytes.size() - engine::ex::kLength));
    return newest[ketto] = id;
  };

  int with_past_runs = 0, this_weeks = 0;
  for (int i = 1; i <= state.RaceCount; ++i) {
    const std::string& key = state.RaceKeyList[static_cast<size_t>(i)];
    SCOPED_TRACE(key);
    const auto& race_entries = entries[key];
    ASSERT_FALSE(race_entries.empty());
    int64_t highest = 0;
    for (const auto& e : race_entries) highest = std::max<int64_t>(highest, std::stoi(jvdata::se::Umaban.Str(e)));

    const std::string file = *common::ReadWholeFile(dir_ + ::radadovur::testing::NameOf(RaceRunnerFileName, key));
    ASSERT_EQ(file.size(), static_cast<size_t>(highest) * rr::kLength);
    for (const auto& entry : race_entries) {
      const auto number = static_cast<size_t>(std::stoi(jvdata::se::Umaban.Str(entry)));
      const std::string runner = file.substr((number - 1) * rr::kLength, rr::kLength);
      // Entry 0 is this week's race of this horse.
      EXPECT_EQ(rr::KettoNum.Str(runner, 0), jvdata::se::KettoNum.Str(entry)) << number;
      const std::string& this_week = newest_race_id(jvdata::se::KettoNum.Str(entry));
      EXPECT_EQ(RunRaceId(runner, 0), this_week) << number;
      if (this_week == jvdata::RaceIdOf(entry)) ++this_weeks;
      EXPECT_EQ(rr::LineEnd.Str(runner), "\r\n");
      // Past runs newest first (the demo has a run delivered twice), without holes.
      uint32_t runs = 1;
      while (runs < rr::kRuns && rr::Year.Of(runner, runs) != std::string(4, '\0')) ++runs;
      for (uint32_t e = 1; e < runs; ++e) EXPECT_GE(RunDate(runner, e - 1), RunDate(runner, e)) << number << " run " << e;
      for (uint32_t e = runs; e < rr::kRuns; ++e) EXPECT_EQ(rr::KettoNum.Of(runner, e), std::string(10, '\0'));
      if (runs > 1) ++with_past_runs;
    }
    for (const std::string& name : {::radadovur::testing::NameOf(RunnerSortFileName, key), ::radadovur::testing::NameOf(LupSortFileName, key)}) {
      const auto lines = common::SplitLines(*common::ReadWholeFile(dir_ + name));
      EXPECT_EQ(lines.size(), static_cast<size_t>(highest)) << name;
    }
    EXPECT_NE(state.RaceTable[static_cast<size_t>(i)][kColSdValue], "SD");
  }
  EXPECT_GT(with_past_runs, 0);
  EXPECT_GT(this_weeks, 0);

  // A second pass writes the same files.
  const auto first = Snapshot(dir_, {"RACE", "KAIME"});
  ResultsWindowState again;
  EXPECT_TRUE(Pass(again).failures.empty());
  EXPECT_EQ(Snapshot(dir_, {"RACE", "KAIME"}), first);
}

INSTANTIATE_TEST_SUITE_P(States, RunnerWeekTest, ::testing::Values("friday", "monday"));

}  // namespace
}  // namespace radadovur::results
