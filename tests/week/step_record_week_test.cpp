// The week's record of steps on the Monday demo week: a step never builds on a step that failed,
// was interrupted or did not run for this download; it refuses with one message naming the step
// to run first and changes nothing, and a step's finished text shows only when it finished
// without a failure.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "common/text_file.h"
#include "engine/weight_model.h"
#include "results/results_pass.h"
#include "results/results_window_state.h"
#include "steps/predict.h"
#include "steps/results.h"
#include "steps/week_record.h"
#include "support/folder_snapshot.h"
#include "support/recording_host.h"
#include "support/week_record.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

using testing::Snapshot;

std::vector<std::string> Changed(const std::map<std::string, std::string>& before,
                                 const std::map<std::string, std::string>& after) {
  std::vector<std::string> changed;
  for (const auto& [name, bytes] : before) {
    auto it = after.find(name);
    if (it == after.end() || it->second != bytes) changed.push_back(name);
  }
  for (const auto& [name, bytes] : after)
    if (!before.count(name)) changed.push_back(name + " (new)");
  return changed;
}

class StepRecordWeek : public ::testing::Test {
 protected:
  // One Monday week run through ⑥ with the odds, made once and copied for each test.
  static void SetUpTestSuite() {
    base_ = (fs::temp_directory_path() / ("rdv_record_base_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(base_);
    ::setenv("XDG_CONFIG_HOME", (base_ + "config").c_str(), 1);
    for (const std::string& step : {std::string("demo '") + base_ + "' --state monday", "startup '" + base_ + "'",
                                    "download '" + base_ + "'", "structure '" + base_ + "' --cancel",
                                    "odds '" + base_ + "'", "matrices '" + base_ + "'", "daybefore '" + base_ + "'",
                                    "predict '" + base_ + "'", "results '" + base_ + "'"}) {
      const auto r = testing::RunCli(step);
      if (r.exit_code != 0) {
        base_failure_ = step + ":\n" + r.out.substr(0, 3000);
        return;
      }
    }
  }
  static void TearDownTestSuite() { fs::remove_all(base_); }

 public:
  void SetUp() override {
    ASSERT_EQ(base_failure_, "");
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = (fs::temp_directory_path() / ("rdv_record_" + std::to_string(::getpid()) + "_" + test)).string() + "/";
    CopyBase();
  }
  // A fresh copy of the prepared week.
  void CopyBase() {
    fs::remove_all(dir_);
    fs::copy(base_, dir_, fs::copy_options::recursive);
    horses_ = common::ReadQuotedValues(dir_ + "KETTONUMTHISWEEKN.dat");
    ASSERT_GE(horses_.size(), 2u);
  }
  void TearDown() override { fs::remove_all(dir_); }

  testing::CliResult Run(const std::string& step) { return testing::RunCli(step + " '" + dir_ + "'"); }
  std::string Path(const std::string& name) const { return dir_ + name; }
  std::string Bytes(const std::string& name) const { return common::ReadWholeFile(Path(name)).value_or("<none>"); }
  void Write(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(common::WriteFileAtomic(Path(name), bytes).ok()) << name;
  }
  // A working file replaced by a folder: every read or write of it fails.
  void Folder(const std::string& name) {
    fs::remove_all(Path(name));
    fs::create_directories(Path(name));
  }
  // A working folder replaced by a file: nothing can be written in it.
  void FileInPlaceOf(const std::string& folder) {
    fs::remove_all(Path(folder));
    Write(folder, "x");
  }
  std::string AResultDocument() const {
    for (const auto& e : fs::directory_iterator(dir_ + "TEKICHU")) {
      const std::string name = e.path().filename().string();
      if (name.size() > 10 && name.substr(name.size() - 10) == "lupRCM.txt") return "TEKICHU/" + name;
    }
    return "TEKICHU/none";
  }
  std::string EntryFile(size_t h) const { return "UMAGOTOTHISWEEKN/" + horses_[h] + ".dat"; }
  std::string ExFile(size_t h) const { return "UMAGOTOEXTHISWEEKN/" + horses_[h] + "EX.dat"; }

  // A step the record holds back: exit 1, the one message naming `first`, no finished text, and
  // nothing in the folder changed.
  void ExpectRefused(const std::string& step, const std::string& first, const std::string& finished) {
    const auto before = Snapshot(dir_);
    const auto r = Run(step);
    EXPECT_EQ(r.exit_code, 1) << step << ":\n" << r.out;
    EXPECT_THAT(r.out, HasSubstr("先に" + first + "を実行して下さい。")) << step;
    EXPECT_THAT(r.out, Not(HasSubstr(finished))) << step;
    EXPECT_EQ(Changed(before, Snapshot(dir_)), std::vector<std::string>{}) << step;
  }

 protected:
  static inline std::string base_;
  static inline std::string base_failure_;
  std::string dir_;
  std::vector<std::string> horses_;
};

// ② with a cut runner file fails and says so; ④ ⑤ ⑥ are then refused, naming ②.
TEST_F(StepRecordWeek, StructureWithACutRunnerFileHoldsBackTheStepsAfterIt) {
  const std::string runners = Bytes("SETHISWEEKN.dat");
  Write("SETHISWEEKN.dat", runners.substr(0, runners.size() - 300));
  const auto structure = Run("structure");
  EXPECT_EQ(structure.exit_code, 1) << structure.out;
  EXPECT_THAT(structure.out, Not(HasSubstr("構造体処理終了"))) << structure.out;
  EXPECT_THAT(structure.out, HasSubstr("[Text4] 構造体処理で失敗がありました。"));

  ExpectRefused("daybefore", "②構造・中止処理", "前日固定終了");
  ExpectRefused("predict", "②構造・中止処理", "計算終了");
  ExpectRefused("results", "②構造・中止処理", "予想･結果終了");
  ExpectRefused("realtime-odds", "②構造・中止処理", "速報オッズ取得完了");
}

// A ⑤ cut short (the record says it started; some expanded-record files are emptied, others still
// last run's) holds back ⑥ until ⑤ runs again; then ⑥ writes what a clean run writes.
TEST_F(StepRecordWeek, InterruptedPredictionHoldsBackResultsUntilItRunsAgain) {
  const auto clean = Snapshot(dir_);
  ASSERT_TRUE(testing::StartStep(dir_, steps::WeekStep::kPredict).ok());
  for (size_t h = 0; h < horses_.size(); h += 3) Write(ExFile(h), "");
  ExpectRefused("results", "⑤計算", "予想･結果終了");
  ExpectRefused("realtime-results", "⑤計算", "速報払戻等取得及び処理完了");

  ASSERT_EQ(Run("predict").exit_code, 0);
  ASSERT_EQ(Run("results").exit_code, 0);
  EXPECT_EQ(Changed(clean, Snapshot(dir_)), std::vector<std::string>{});
}

// A host whose user asks the running step to stop at its `stop_at`-th look (a step looks before
// each horse or race), as a window closed while the step runs does.
class StopAtLook : public testing::RecordingHost {
 public:
  explicit StopAtLook(int stop_at) : stop_at_(stop_at) {}
  bool CancelRequested() override { return ++looks >= stop_at_; }
  int looks = 0;

 private:
  int stop_at_;
};

// ⑤ or ⑥ stopped by the user ends at that horse or race boundary, says so, shows no failure list
// and stays not finished (⑥ is held back until ⑤ runs again); the folder is then not what a
// clean run leaves, and running the steps again gives the same files as one uninterrupted run.
TEST_F(StepRecordWeek, StepStoppedByTheUserIsNotFinishedAndARerunWritesWhatACleanRunWrites) {
  struct Case {
    const char* name;
    steps::WeekStep step;
    int stop_at;  // ⑤ looks once per horse in the builder, then once per horse in the calculation
  };
  const int horses = static_cast<int>(horses_.size());
  const Case cases[] = {
      {"predict, building", steps::WeekStep::kPredict, 2},
      {"predict, calculating", steps::WeekStep::kPredict, horses + 2},
      {"results", steps::WeekStep::kResults, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CopyBase();
    const auto clean = Snapshot(dir_);
    const common::RunState state = common::RunStateFor(dir_);
    StopAtLook host(c.stop_at);
    common::StepFailures failures;
    if (c.step == steps::WeekStep::kPredict) {
      auto model = std::make_unique<engine::ReferenceModel>();
      ASSERT_TRUE(steps::LoadPredictionModel(state, *model, host).ok());
      failures = steps::RunPrediction(state, *model, host);
      EXPECT_EQ(host.LastText(common::StatusSlot::kPredictText3), steps::kPredictCancelledText);
    } else {
      auto window_state = std::make_unique<results::ResultsWindowState>();
      failures = steps::RunResultsStep(state, host, *window_state).failures;
      EXPECT_EQ(results::ResultsEndText(failures), "予想･結果を中止しました。⑥予想･結果をもう一度実行して下さい。");
    }
    EXPECT_TRUE(failures.stopped);
    EXPECT_EQ(host.looks, c.stop_at);  // stopped at the first look after the request
    EXPECT_EQ(host.Messages(), std::vector<std::string>{});
    steps::WeekRecord record;
    ASSERT_TRUE(steps::ReadWeekRecord(dir_, record).ok());
    EXPECT_FALSE(record.Finished(c.step));
    EXPECT_NE(Changed(clean, Snapshot(dir_)), std::vector<std::string>{});
    if (c.step == steps::WeekStep::kPredict) {
      ExpectRefused("results", "⑤計算", "予想･結果終了");
      ASSERT_EQ(Run("predict").exit_code, 0);
    }
    ASSERT_EQ(Run("results").exit_code, 0);
    EXPECT_EQ(Changed(clean, Snapshot(dir_)), std::vector<std::string>{});
  }
}

// ⑤ refuses without ②'s race file, and before ④ has run on ②'s new files.
TEST_F(StepRecordWeek, PredictionNeedsTheRaceStoreAndTheDayBeforeState) {
  fs::remove(Path("RATHISWEEKNNEW.dat"));
  ExpectRefused("predict", "②構造・中止処理", "計算終了");
  EXPECT_THAT(Run("predict").out, HasSubstr("RATHISWEEKNNEW.dat"));

  ASSERT_EQ(Run("structure").exit_code, 0);
  ExpectRefused("predict", "④前日固定", "計算終了");
  ExpectRefused("results", "④前日固定", "予想･結果終了");
}

// A listed horse without its entry file fails in ⑤, named; the record keeps it for ⑥.
TEST_F(StepRecordWeek, ListedHorseWithoutEntryFileFailsInPrediction) {
  fs::remove(Path(EntryFile(1)));
  const auto r = Run("predict");
  EXPECT_EQ(r.exit_code, 1) << r.out;
  EXPECT_THAT(r.out, HasSubstr(EntryFile(1)));
  EXPECT_THAT(r.out, Not(HasSubstr("] 計算終了")));
  steps::WeekRecord record;
  ASSERT_TRUE(steps::ReadWeekRecord(dir_, record).ok());
  EXPECT_TRUE(record.Finished(steps::WeekStep::kPredict));
  EXPECT_THAT(record.failed_horses, ::testing::ElementsAre(horses_[1]));
}

// Realtime odds before ② (and in a folder that is no program folder's week) fetch nothing and
// create no file.
TEST_F(StepRecordWeek, RealtimeOddsBeforeStructureIsRefused) {
  ASSERT_EQ(Run("download").exit_code, 0);
  for (const char* f : {"O2RIALTIME.dat", "O4RIALTIME.dat", "O5RIALTIME.dat", "O6RIALTIME.dat"}) fs::remove(Path(f));
  ExpectRefused("realtime-odds", "②構造・中止処理", "速報オッズ取得完了");

  const std::string empty = dir_ + "empty/";
  fs::create_directories(empty);
  const auto r = testing::RunCli("realtime-odds '" + empty + "'");
  EXPECT_EQ(r.exit_code, 1) << r.out;
  // Only the folder's lock file, empty once the run let the folder go.
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(empty)) left.push_back(e.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"STEPSTHISWEEKN.lock"}) << r.out;
  EXPECT_EQ(fs::file_size(empty + "STEPSTHISWEEKN.lock"), 0u);
}

// The finished text of every step shows only when it finished without a failure: each step with
// one failure put in its way ends with its failure text and exits 1. (One test over a table: each
// case on a fresh copy of the week.)
struct Injected {
  const char* step;
  std::function<void(StepRecordWeek&)> inject;
  const char* finished;  // the line the step prints when it finishes
};

TEST_F(StepRecordWeek, FinishedTextOnlyAfterAStepWithoutFailures) {
  const Injected cases[] = {
      {"download", [](auto& t) { t.Write("JVDATA/faults.txt", "read_error_at=5\n"); }, "[Text1] 今週開催取得終了"},
      {"structure",
       [](auto& t) {
         const std::string b = t.Bytes("SETHISWEEKN.dat");
         t.Write("SETHISWEEKN.dat", b.substr(0, b.size() - 300));
       },
       "[Text4] 構造体処理終了"},
      {"cancel", [](auto& t) { t.Folder("RARIALTIME.dat"); }, "中止処理終了"},
      {"daybefore", [](auto& t) { t.Write(t.EntryFile(0), " " + t.Bytes(t.EntryFile(0))); },
       "[VELTRANEXPDTHISWEEKNAZ.Text1] 前日固定終了"},
      {"predict", [](auto& t) { fs::remove(t.Path(t.EntryFile(0))); }, "[VELTRANEXPDTHISWEEKNAZ.Text3] 計算終了"},
      {"results", [](auto& t) { t.FileInPlaceOf("SHUTSUBAHYO"); }, "[Text5] 予想･結果終了"},
      {"odds", [](auto& t) { t.Folder("O2THISWEEKN.dat"); }, "[VLTFOTHISWEEKNAZ.Text1] オッズ取得完了"},
      {"matrices", [](auto& t) { t.FileInPlaceOf("KAIME"); }, "[Text2] 今週のオッズ処理終了"},
      {"realtime-odds", [](auto& t) { t.Folder("O6RIALTIME.dat"); }, "速報オッズ取得完了"},
      {"realtime-results", [](auto& t) { t.Folder("O1RIALTIME.dat"); }, "速報払戻等取得及び処理完了"},
      {"history", [](auto& t) { t.Folder(t.AResultDocument()); }, "[Text6] 過去の予想成績終了"},
      {"hits", [](auto& t) { t.Folder(t.AResultDocument()); }, "[Text6] 過去の的中リスト終了"},
  };
  for (const Injected& c : cases) {
    SCOPED_TRACE(c.step);
    CopyBase();
    c.inject(*this);
    const auto r = Run(c.step);
    EXPECT_EQ(r.exit_code, 1) << r.out;
    EXPECT_THAT(r.out, Not(HasSubstr(c.finished))) << r.out;
  }
}

// structure --cancel marks the cancellation due before ② starts: a ② that ends without the
// cancellation after it (interrupted between them) leaves ④ refused, naming the cancellation.
// A ② that fails starts no cancellation (one failure, no second refusal contradicting it).
TEST_F(StepRecordWeek, ChosenCancellationHoldsBackDayBeforeAndNeedsAFinishedStructure) {
  // ② finished, then stopped before the cancellation: what the record says is as after
  // "structure" with the cancellation due.
  uint64_t download = 0;
  ASSERT_TRUE(steps::MarkStepStarted(dir_, steps::WeekStep::kStructure, download, steps::WeekStep::kCancellation).ok());
  ASSERT_TRUE(steps::MarkStepFinished(dir_, steps::WeekStep::kStructure, download).ok());
  ExpectRefused("daybefore", "②構造・中止処理（中止処理を選択して）", "前日固定終了");
  ExpectRefused("realtime-odds", "②構造・中止処理（中止処理を選択して）", "速報オッズ取得完了");

  CopyBase();
  const std::string runners = Bytes("SETHISWEEKN.dat");
  Write("SETHISWEEKN.dat", runners.substr(0, runners.size() - 300));
  const auto r = testing::RunCli("structure '" + dir_ + "' --cancel");
  EXPECT_EQ(r.exit_code, 1) << r.out;
  EXPECT_THAT(r.out, Not(HasSubstr("CHUSIRIALTIME"))) << r.out;  // the cancellation never began
  EXPECT_THAT(r.out, Not(HasSubstr("先に"))) << r.out;
}

// On a folder where ① never ran, ② --cancel says once to run ①.
TEST_F(StepRecordWeek, NewFolderRefusalsNameTheDownloadOnce) {
  const std::string fresh = dir_ + "fresh/";
  fs::create_directories(fresh);
  for (const std::string& step : {"structure '" + fresh + "' --cancel", "daybefore '" + fresh + "'",
                                 "results '" + fresh + "'", "realtime-odds '" + fresh + "'"}) {
    const auto r = testing::RunCli(step);
    EXPECT_EQ(r.exit_code, 1) << step << "\n" << r.out;
    EXPECT_THAT(r.out, HasSubstr("先に①今週開催取得を実行して下さい。")) << step;
    EXPECT_EQ(r.out.find("先に"), r.out.rfind("先に")) << step << "\n" << r.out;
  }
}

// The realtime matrices need a realtime odds fetch that finished for this download.
TEST_F(StepRecordWeek, RealtimeMatricesNeedFinishedRealtimeOdds) {
  ASSERT_EQ(Run("realtime-odds").exit_code, 0);
  ASSERT_TRUE(testing::StartStep(dir_, steps::WeekStep::kRealtimeOdds).ok());  // a fetch cut short
  const auto before = Snapshot(dir_);
  const auto r = testing::RunCli("matrices '" + dir_ + "' --realtime");
  EXPECT_EQ(r.exit_code, 1) << r.out;
  EXPECT_THAT(r.out, HasSubstr("速報オッズ処理は行いませんでした。"));
  EXPECT_EQ(Changed(before, Snapshot(dir_)), std::vector<std::string>{});

  ASSERT_EQ(Run("realtime-odds").exit_code, 0);
  const auto again = testing::RunCli("matrices '" + dir_ + "' --realtime");
  EXPECT_EQ(again.exit_code, 0) << again.out;
}

// A lock file that cannot be used (a folder in its place): each step runs nothing, changes
// nothing and says it was not done, never that it finished with a failure.
TEST_F(StepRecordWeek, AnUnusableLockFileIsARefusal) {
  Folder("STEPSTHISWEEKN.lock");
  const auto before = Snapshot(dir_);
  for (const char* step : {"results", "daybefore", "matrices", "realtime-results"}) {
    const auto r = Run(step);
    EXPECT_EQ(r.exit_code, 1) << step << "\n" << r.out;
    EXPECT_THAT(r.out, HasSubstr("STEPSTHISWEEKN.lock")) << step;
    EXPECT_THAT(r.out, HasSubstr("は行いませんでした。")) << step;
    EXPECT_THAT(r.out, Not(HasSubstr("終わりましたが"))) << step;
    EXPECT_THAT(r.out, Not(HasSubstr("失敗がありました"))) << step;
    EXPECT_THAT(r.out, Not(HasSubstr(" 件、"))) << step;  // no counts of work not done
  }
  EXPECT_EQ(Changed(before, Snapshot(dir_)), std::vector<std::string>{});
}

// A damaged record: ② refuses naming it with the one step to run first, ①; ① names it too and
// writes it anew, after which ② runs.
TEST_F(StepRecordWeek, DamagedRecordIsNamedByEveryStepAndOnlyTheDownloadRuns) {
  Write("STEPSTHISWEEKN.txt", "RADADOVUR STEPS 1\r\ndown");
  ExpectRefused("structure", "①今週開催取得", "構造体処理終了");
  const auto refused = Run("structure");
  EXPECT_THAT(refused.out, HasSubstr("STEPSTHISWEEKN.txt の 2 行目"));
  const auto download = Run("download");
  EXPECT_EQ(download.exit_code, 0) << download.out;
  EXPECT_THAT(download.out, HasSubstr("工程の記録が壊れています"));
  EXPECT_EQ(Run("structure").exit_code, 0);
}

}  // namespace
}  // namespace radadovur
