// Step ⑥ on the Monday demo week when it must leave something out. A race with a runner whose
// expanded records cannot be trusted (its file one byte short, missing, or the horse failed in ⑤
// as the week's record says) gets no file at all, also none of an earlier run, while every other
// race's files keep the bytes of a clean run. An output folder that cannot be written stops the
// passes that read what belongs there, and their files keep the earlier run's bytes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "common/run_state.h"
#include "common/text_file.h"
#include "export/web_yosou_page.h"
#include "results/bet_kinds.h"
#include "results/bet_lists.h"
#include "results/code_table.h"
#include "results/runner_record.h"
#include "steps/results.h"
#include "steps/week_record.h"
#include "support/recording_host.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
namespace rr = results::rr;
using Files = std::map<std::string, std::string>;
using ::testing::HasSubstr;

// The folders step ⑥ writes into, and those of them whose files hold a whole meeting day (or
// week): they change with any race left out.
constexpr const char* kOutputFolders[] = {"RACE",      "KAIME",      "TEKICHU",   "SHUTSUBAHYO",        "TANFUKU",
                                          "TANFUKU2",  "TANSHO",     "SOKUDO",    "UMAREN",             "WIDE",
                                          "UMATAN",    "SANRENPUKU", "SANRENTAN", "furlong_gate_yosou", "furlong_gate_wp",
                                          "furlong_gate_pdf", "."};
const std::set<std::string> kDayFolders = {"TEKICHU", "SHUTSUBAHYO", "TANFUKU", "TANFUKU2", "SOKUDO", "furlong_gate_wp",
                                           "furlong_gate_pdf", "."};
// The folders that hold one file per race.
constexpr const char* kOneFilePerRace[] = {"RACE",   "TANSHO",     "UMAREN",    "WIDE",
                                           "UMATAN", "SANRENPUKU", "SANRENTAN", "furlong_gate_yosou"};

std::string FolderOf(const std::string& name) { return name.substr(0, name.find('/')); }

class LeftOutWeek : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = (fs::temp_directory_path() / ("rdv_left_out_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
    for (const std::string step : {"demo", "startup", "download", "structure", "daybefore", "predict"}) {
      const std::string args = step == "demo"        ? "demo '" + dir_ + "' --state monday"
                               : step == "structure" ? "structure '" + dir_ + "' --cancel"
                                                     : step + " '" + dir_ + "'";
      const auto r = testing::RunCli(args);
      ASSERT_EQ(r.exit_code, 0) << args << ":\n" << r.out;
    }
    before_ = new Files(Outputs());
    const auto clean = testing::RunCli("results '" + dir_ + "'");
    ASSERT_EQ(clean.exit_code, 0) << clean.out;
    clean_ = new Files(Outputs());
    // A race in the middle of the week and its first runner.
    std::vector<std::string> keys;
    for (const auto& [name, bytes] : *clean_)
      if (FolderOf(name) == "RACE") keys.push_back(name.substr(5, 12));
    ASSERT_GE(keys.size(), 3u);
    race_ = new std::string(keys[keys.size() / 2]);
    const std::string runners = clean_->at("RACE/" + *race_ + ".dat");
    ASSERT_GE(runners.size(), rr::kLength);
    horse_ = new std::string(rr::KettoNum.Str(runners.substr(0, rr::kLength), 0));
    ASSERT_EQ(horse_->size(), 10u);
  }
  static void TearDownTestSuite() {
    fs::remove_all(dir_);
    delete before_;
    delete clean_;
    delete race_;
    delete horse_;
  }
  void SetUp() override {
    ASSERT_NE(horse_, nullptr);
    Restore();
  }

  static Files Outputs() {
    Files files;
    for (const char* folder : kOutputFolders) {
      if (!fs::is_directory(dir_ + folder)) continue;
      for (const auto& e : fs::directory_iterator(dir_ + folder))
        if (e.is_regular_file())
          files[std::string(folder) + "/" + e.path().filename().string()] =
              common::ReadWholeFile(e.path().string()).value_or("<unreadable>");
    }
    return files;
  }
  // The folder as ⑤ left it (or, with clean_, as a clean ⑥ left it): what ⑥ made is removed,
  // what it changed put back, an output folder replaced by a file made a folder again.
  static void Restore(const Files* to = before_) {
    for (const char* folder : kOutputFolders) {
      if (fs::is_directory(dir_ + folder)) continue;
      fs::remove(dir_ + folder);
      fs::create_directory(dir_ + folder);
    }
    for (const auto& [name, bytes] : Outputs())
      if (!to->count(name)) fs::remove(dir_ + name);
    const Files now = Outputs();
    for (const auto& [name, bytes] : *to) {
      const auto found = now.find(name);
      if (found == now.end() || found->second != bytes) {
        ASSERT_TRUE(common::WriteFileAtomic(dir_ + name, bytes).ok()) << name;
      }
    }
  }
  // ⑤ finished, with `horses` failed, as the week's record keeps it.
  static void RecordFailedInPredict(const std::vector<std::string>& horses) {
    steps::WeekRecord record;
    ASSERT_TRUE(steps::ReadWeekRecord(dir_, record).ok());
    ASSERT_TRUE(record.Finished(steps::WeekStep::kPredict));
    record.failed_horses = horses;
    ASSERT_TRUE(common::WriteFileAtomic(dir_ + std::string(steps::kWeekRecordFile), steps::WeekRecordText(record)).ok());
  }
  static bool ResultsFinished() {
    steps::WeekRecord record;
    return steps::ReadWeekRecord(dir_, record).ok() && record.Finished(steps::WeekStep::kResults);
  }
  static std::string ExFile() { return dir_ + "UMAGOTOEXTHISWEEKN/" + *horse_ + "EX.dat"; }

  // Every file the race had in the clean run is gone, no other file is new, and every file of
  // another race has the clean run's bytes; only files of whole days may differ.
  static void ExpectOnlyTheRaceLeftOut() {
    const Files now = Outputs();
    std::map<std::string, int> missing_in;
    for (const auto& [name, bytes] : *clean_) {
      const auto found = now.find(name);
      if (found == now.end()) {
        ++missing_in[FolderOf(name)];
        if (FolderOf(name) == "KAIME" || FolderOf(name) == "RACE") {
          EXPECT_THAT(name, HasSubstr(*race_));
        }
      } else if (!kDayFolders.count(FolderOf(name))) {
        EXPECT_TRUE(found->second == bytes) << name << " differs from a clean run";
      }
    }
    for (const auto& [name, bytes] : now) EXPECT_TRUE(clean_->count(name)) << name << " is new";
    for (const char* folder : kOneFilePerRace) EXPECT_EQ(missing_in[folder], 1) << folder;
    for (const auto& [name, bytes] : now) {
      if (FolderOf(name) == "KAIME") {
        EXPECT_THAT(name, ::testing::Not(HasSubstr(*race_)));
      }
    }
  }
  // The pass in-process; the failures, or with `failed_in_predict` the races left out, whose text
  // names the remedy. A race left out for a horse that failed in ⑤ is no failure.
  static std::vector<std::string> RunPass(bool failed_in_predict = false) {
    testing::RecordingHost host;
    auto state = std::make_unique<results::ResultsWindowState>();
    const auto outcome = steps::RunResultsStep(common::RunStateFor(dir_), host, *state);
    const std::vector<std::string> texts = failed_in_predict ? outcome.LeftOutRaces : outcome.failures.Texts();
    if (failed_in_predict) {
      EXPECT_TRUE(outcome.failures.empty()) << outcome.failures.Texts().front();
      EXPECT_TRUE(ResultsFinished());
    }
    std::vector<std::string> named;
    for (const std::string& text : texts)
      if (text.find("⑤計算をやり直して下さい") != std::string::npos) named.push_back(text);
    EXPECT_EQ(named.size(), texts.size()) << "only the race is named";
    EXPECT_EQ(outcome.failures.items.size(), failed_in_predict ? 0u : named.size());
    return named;
  }
  void ExpectNamedOnce(const std::vector<std::string>& named) {
    ASSERT_EQ(named.size(), 1u);
    EXPECT_THAT(named[0], HasSubstr(*race_));
    EXPECT_THAT(named[0], HasSubstr(*horse_));
  }

  static std::string dir_;
  static Files* before_;
  static Files* clean_;
  static std::string* race_;
  static std::string* horse_;
};

std::string LeftOutWeek::dir_;
Files* LeftOutWeek::before_ = nullptr;
Files* LeftOutWeek::clean_ = nullptr;
std::string* LeftOutWeek::race_ = nullptr;
std::string* LeftOutWeek::horse_ = nullptr;

TEST_F(LeftOutWeek, ARaceWithAHorseItCannotTrustGetsNothing) {
  const std::string sound = *common::ReadWholeFile(ExFile());
  struct Case {
    const char* what;
    std::function<void()> damage;
    bool failed_in_predict;
  };
  const Case cases[] = {
      {"expanded records one byte short", [&] { ASSERT_TRUE(common::WriteFileAtomic(ExFile(), sound.substr(0, sound.size() - 1)).ok()); }, false},
      {"expanded records missing", [&] { fs::remove(ExFile()); }, false},
      {"expanded records empty", [&] { ASSERT_TRUE(common::WriteFileAtomic(ExFile(), "").ok()); }, false},
      {"the horse failed in ⑤", [] {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restore();
    c.damage();
    // ⑥ takes the horses ⑤ failed from the week's record, as the windows and the command line run it.
    if (c.failed_in_predict) RecordFailedInPredict({*horse_});
    ExpectNamedOnce(RunPass(c.failed_in_predict));
    ExpectOnlyTheRaceLeftOut();
    ASSERT_TRUE(common::WriteFileAtomic(ExFile(), sound).ok());
  }
  // The command line says so and fails.
  Restore();
  ASSERT_TRUE(common::WriteFileAtomic(ExFile(), sound.substr(0, sound.size() - 1)).ok());
  const auto r = testing::RunCli("results '" + dir_ + "'");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_THAT(r.out, HasSubstr(*horse_));
  EXPECT_THAT(r.out, HasSubstr("⑤計算をやり直して下さい"));
  EXPECT_THAT(r.out, ::testing::Not(HasSubstr("予想･結果終了")));
  ASSERT_TRUE(common::WriteFileAtomic(ExFile(), sound).ok());
}

// A race left out for a horse that failed in ⑤ after an earlier ⑥ wrote it: nothing of that run
// is left for it (runner file, figures and rankings, bet lists, prediction page), the other races
// are written as in a clean run, and the step is finished, naming the race.
TEST_F(LeftOutWeek, ALeftOutRaceKeepsNothingOfAnEarlierRun) {
  Restore(clean_);
  RecordFailedInPredict({*horse_});
  const auto r = testing::RunCli("results '" + dir_ + "'");
  EXPECT_EQ(r.exit_code, 0) << r.out;
  EXPECT_THAT(r.out, HasSubstr(*race_));
  EXPECT_THAT(r.out, HasSubstr(*horse_));
  EXPECT_THAT(r.out, HasSubstr("予想･結果終了"));
  EXPECT_TRUE(ResultsFinished());
  ExpectOnlyTheRaceLeftOut();
}

// An output folder that cannot be written (a plain file in its place, which stops root too) stops
// the passes that read what belongs there: their files keep the earlier run's bytes (here marked
// as an earlier run's), the command fails, and the passes left out are listed apart.
TEST_F(LeftOutWeek, AnOutputThatCannotBeWrittenStopsItsReaders) {
  results::CodeTable codes;
  ASSERT_TRUE(results::LoadCodeTable(dir_, codes).ok());
  // The race's own files of the passes after its figures.
  std::set<std::string> race_files;
  for (const results::BetKindInfo& kind : results::kBetKinds) {
    std::string name;
    if (!kind.folder.empty() && results::BetListFileName(kind.kind, *race_, codes, name).ok()) race_files.insert(name);
  }
  race_files.insert(exports::YosouPagePathOfRace(dir_, *race_, codes).substr(dir_.size()));
  const std::vector<std::string> after_bet_lists = {"TANSHO/",  "SHUTSUBAHYO/", "TEKICHU/", "TANFUKU/", "TANFUKU2/",
                                                    "furlong_gate_yosou/", "furlong_gate_wp/", "SOKUDO/HR"};
  std::vector<std::string> after_figures = {"UMAREN/", "WIDE/", "UMATAN/", "SANRENPUKU/", "SANRENTAN/"};
  after_figures.insert(after_figures.end(), after_bet_lists.begin(), after_bet_lists.end());
  std::vector<std::string> after_runners = after_figures;
  after_runners.push_back("KAIME/");

  struct Case {
    std::string unwritable;          // a folder, or one race's file, that becomes what cannot be written
    std::vector<std::string> kept;  // the starts of the names that keep their bytes
  };
  const Case cases[] = {
      {"RACE", after_runners},
      {"KAIME", after_figures},
      {"UMAREN", after_bet_lists},
      {"KAIME/" + *race_ + ".dat", {race_files.begin(), race_files.end()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unwritable);
    Restore(clean_);
    Files marked;
    for (const auto& [name, bytes] : *clean_)
      for (const std::string& start : c.kept)
        if (name.starts_with(start)) marked[name] = "earlier run of " + name;
    ASSERT_FALSE(marked.empty());
    for (const auto& [name, bytes] : marked) ASSERT_TRUE(common::WriteFileAtomic(dir_ + name, bytes).ok()) << name;
    std::error_code gone;
    fs::remove_all(dir_ + c.unwritable, gone);
    if (c.unwritable.find('/') == std::string::npos)
      ASSERT_TRUE(common::WriteFileAtomic(dir_ + c.unwritable, "x").ok());
    else
      ASSERT_TRUE(fs::create_directory(dir_ + c.unwritable));

    const auto r = testing::RunCli("results '" + dir_ + "'");
    EXPECT_EQ(r.exit_code, 1) << r.out;
    EXPECT_THAT(r.out, HasSubstr("そのため行わなかった処理"));
    EXPECT_THAT(r.out, HasSubstr("前回のまま"));
    EXPECT_FALSE(ResultsFinished());
    const Files now = Outputs();
    for (const auto& [name, bytes] : marked) {
      const auto found = now.find(name);
      EXPECT_TRUE(found != now.end() && found->second == bytes) << name << " was rewritten";
    }
    if (c.unwritable.find('/') != std::string::npos) fs::remove(dir_ + c.unwritable);
  }
  Restore(clean_);
}

// With every horse sound and none failed in ⑤, the pass writes the clean run's bytes again.
TEST_F(LeftOutWeek, ASoundWeekIsWrittenWhole) {
  EXPECT_TRUE(RunPass().empty());
  const Files now = Outputs();
  for (const auto& [name, bytes] : *clean_) EXPECT_TRUE(now.count(name) && now.at(name) == bytes) << name;
}

}  // namespace
}  // namespace radadovur
