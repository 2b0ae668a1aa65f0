// The realtime results on the Monday demo week after ① ② (with the cancellation processing) ④ ⑤
// and ⑥ with the runner stages: entry 0 of every runner of the week's races takes the realtime
// finishing order, time, popularity, odds and last three furlongs, and nothing else changes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>

#include "common/names.h"
#include "common/run_state.h"
#include "common/text_file.h"
#include "engine/calculation_driver.h"
#include "engine/day_before.h"
#include "engine/expand_week.h"
#include "engine/stats_lookup.h"
#include "engine/weight_model.h"
#include "jvdata/layout_odds.h"
#include "jvdata/layout_se.h"
#include "jvdata/race_key.h"
#include "results/results_files.h"
#include "results/results_pass.h"
#include "results/runner_hooks.h"
#include "results/runner_record.h"
#include "store/record_block.h"
#include "support/recording_host.h"
#include "support/run_cli.h"
#include "support/week_record.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
namespace names = common::names;
namespace rr = results::rr;
namespace se = jvdata::se;
namespace o1 = jvdata::o1;

// Every runner file by name.
std::map<std::string, std::string> RunnerFiles(const std::string& app) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(app + "RACE"))
    files[e.path().filename().string()] = common::ReadWholeFile(e.path().string()).value_or("<unreadable>");
  return files;
}

// Every record of a store file, by race key and horse number (the last one wins).
std::map<std::pair<std::string, int>, std::string> EntriesByRunner(const std::string& app, const store::StoreFile& file) {
  store::RecordBlock block;
  EXPECT_TRUE(store::ReadRecordBlock(app, file, block).ok()) << file.name;
  std::map<std::pair<std::string, int>, std::string> by_runner;
  for (size_t i = 0; i < block.count(); ++i) {
    const std::string entry(block.Record(i));
    by_runner[{jvdata::RaceKey(entry), std::stoi(se::Umaban.Str(entry))}] = entry;
  }
  return by_runner;
}

class RealtimeWeekTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("rdv_realtime_week_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
    for (const std::string& args : {"demo '" + dir_ + "' --state monday", "startup '" + dir_ + "'",
                                   "download '" + dir_ + "'", "structure '" + dir_ + "' --cancel"}) {
      const auto r = testing::RunCli(args);
      ASSERT_EQ(r.exit_code, 0) << args << ":\n" << r.out;
    }
    testing::RecordingHost host;  // ④ and ⑤
    common::StepFailures damaged;
    ASSERT_TRUE(engine::FixPreviousDay(dir_, host, damaged).ok());
    ASSERT_TRUE(damaged.empty());
    ASSERT_TRUE(engine::ExpandThisWeek(dir_, host).failures.empty());
    engine::ReferenceModel reference;
    ASSERT_TRUE(engine::LoadReferenceModel(dir_, reference, nullptr));
    engine::StatsLookup stats(dir_);
    const auto horses = common::ReadQuotedValues(dir_ + std::string(names::kKettoNumList));
    ASSERT_TRUE(engine::RunCalculation(dir_, horses, reference, stats, host).failures.empty());
    // ⑥ with the runner files' stages.
    results::ResultsWindowState state;
    results::NoRaceWriters writers;
    const auto outcome = results::RunResultsPass(common::RunStateFor(dir_), host, results::RunnerHooks(), writers, state);
    ASSERT_TRUE(outcome.failures.empty()) << outcome.failures.Texts().front();
    // ④ ⑤ ⑥ ran here through their passes: the week's record says so, as the steps would.
    testing::MarkStepsFinished(dir_, steps::WeekStep::kResults);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
};

TEST_F(RealtimeWeekTest, PatchesEntryZeroOfEveryRunnerAndNothingElse) {
  // ④ left this week's results in the entries; on race day they are not in yet, so the five
  // fields of entry 0 start out blank here, to show that the patch writes them.
  const jvdata::Field patched[] = {rr::ArrivalOrder, rr::RunTime, rr::WinPopularity, rr::WinOdds, rr::Last3F};
  for (auto [name, file] : RunnerFiles(dir_)) {
    for (size_t at = 0; at + rr::kLength <= file.size(); at += rr::kLength) {
      std::string runner = file.substr(at, rr::kLength);
      if (rr::IsGap(runner)) continue;
      for (const jvdata::Field& f : patched) rr::Put(runner, f, std::string(f.width, ' '), 0);
      file.replace(at, rr::kLength, runner);
    }
    ASSERT_TRUE(common::WriteFileAtomic(dir_ + "RACE/" + name, file).ok());
  }
  const auto before = RunnerFiles(dir_);
  const std::string fetched_before = common::ReadWholeFile(dir_ + std::string(names::kSeRealtime)).value_or("");
  const auto run = testing::RunCli("realtime-results '" + dir_ + "'");
  ASSERT_EQ(run.exit_code, 0) << run.out;
  EXPECT_NE(run.out.find("[VLTP2RIALTIME.Text1] 速報払戻等取得及び処理完了"), std::string::npos) << run.out;
  const auto after = RunnerFiles(dir_);
  ASSERT_EQ(before.size(), after.size());

  // The week's results as the store holds them, and the realtime win odds by race and horse.
  const auto week = EntriesByRunner(dir_, store::kSeNew);
  const auto realtime = EntriesByRunner(dir_, store::kSeRealtime);
  std::map<std::pair<std::string, int>, std::pair<std::string, std::string>> win_odds;  // popularity, odds
  for (const auto& line : common::SplitLines(*common::ReadWholeFile(dir_ + std::string(names::kO1Realtime))))
    for (uint32_t k = 0; k < 28; ++k)
      if (const std::string u = o1::WinOddsEntries_Umaban.Str(line, k); u != "  " && u != "00")
        win_odds[{jvdata::RaceKey(line), std::stoi(u)}] = {o1::WinOddsEntries_Popularity.Str(line, k),
                                                           o1::WinOddsEntries_Odds.Str(line, k)};

  std::set<std::string> this_week;  // the races of the realtime results' days
  for (const auto& [runner, entry] : realtime) this_week.insert(runner.first);
  int runners = 0, changed = 0;
  for (const auto& [name, old_file] : before) {
    SCOPED_TRACE(name);
    const std::string key = name.substr(0, 12);
    const std::string& new_file = after.at(name);
    if (!this_week.count(key)) {  // a past race of the list
      EXPECT_EQ(new_file, old_file);
      continue;
    }
    ASSERT_EQ(new_file.size(), old_file.size());
    for (size_t at = 0; at < old_file.size(); at += rr::kLength) {
      const int umaban = static_cast<int>(at / rr::kLength) + 1;
      const std::string old_runner = old_file.substr(at, rr::kLength);
      std::string new_runner = new_file.substr(at, rr::kLength);
      if (rr::IsGap(old_runner)) {
        EXPECT_EQ(new_runner, old_runner) << umaban;
        continue;
      }
      ++runners;
      if (new_runner != old_runner) ++changed;
      // Every runner of a listed race has its realtime record and its win odds, and both agree
      // with the week's results.
      ASSERT_TRUE(realtime.count({key, umaban})) << umaban;
      ASSERT_TRUE(win_odds.count({key, umaban})) << umaban;
      const std::string& rt = realtime.at({key, umaban});
      const std::string& result = week.at({key, umaban});
      const auto& [popularity, odds] = win_odds.at({key, umaban});
      EXPECT_EQ(rr::ArrivalOrder.Str(new_runner, 0), se::ArrivalOrder.Str(rt)) << umaban;
      EXPECT_EQ(rr::RunTime.Str(new_runner, 0), se::RunTime.Str(rt)) << umaban;
      EXPECT_EQ(rr::Last3F.Str(new_runner, 0), se::Last3F.Str(rt)) << umaban;
      EXPECT_EQ(rr::WinPopularity.Str(new_runner, 0), popularity) << umaban;
      EXPECT_EQ(rr::WinOdds.Str(new_runner, 0), odds) << umaban;
      for (const auto& [from, to] : {std::pair{se::ArrivalOrder, rr::ArrivalOrder}, {se::RunTime, rr::RunTime},
                                     {se::WinPopularity, rr::WinPopularity}, {se::WinOdds, rr::WinOdds},
                                     {se::Last3F, rr::Last3F}})
        EXPECT_EQ(to.Str(new_runner, 0), from.Str(result)) << umaban << " at " << to.offset;
      // Byte for byte the same outside the five fields of entry 0.
      for (const jvdata::Field& f : patched) rr::Put(new_runner, f, f.Of(old_runner, 0), 0);
      EXPECT_EQ(new_runner, old_runner) << umaban;
    }
  }
  EXPECT_GT(runners, 500);
  EXPECT_EQ(changed, runners);

  // A second run appends the realtime records again and gives the same runner files.
  const std::string fetched = *common::ReadWholeFile(dir_ + std::string(names::kSeRealtime));
  ASSERT_GT(fetched.size(), fetched_before.size());
  const std::string one_fetch = fetched.substr(fetched_before.size());
  const auto again = testing::RunCli("realtime-results '" + dir_ + "'");
  ASSERT_EQ(again.exit_code, 0) << again.out;
  EXPECT_EQ(*common::ReadWholeFile(dir_ + std::string(names::kSeRealtime)), fetched + one_fetch);
  EXPECT_EQ(RunnerFiles(dir_), after);
}

}  // namespace
}  // namespace radadovur
