// A step whose inputs from an earlier step are missing refuses before it changes anything: one
// message that names the missing files and the step to run first, no finished text, the
// refusal marked in what it returns. A file that exists, even empty, is the step's to read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/text_file.h"
#include "engine/ex_record.h"
#include "results/results_pass.h"
#include "steps/cancellation.h"
#include "steps/day_before.h"
#include "steps/predict.h"
#include "steps/realtime_results.h"
#include "steps/results.h"
#include "steps/step_inputs.h"
#include "support/recording_host.h"
#include "support/scripted_jv_link.h"
#include "support/program_folder.h"
#include "support/store_fixture.h"
#include "support/week_record.h"

namespace radadovur::testing {
namespace {

using ::testing::HasSubstr;
using common::StatusSlot;

using StepRun = std::function<common::StepFailures(const common::RunState&, RecordingHost&)>;

common::StepFailures DayBefore(const common::RunState& s, RecordingHost& h) { return steps::RunDayBefore(s, h); }
common::StepFailures Predict(const common::RunState& s, RecordingHost& h) {
  const engine::ReferenceModel model;
  return steps::RunPrediction(s, model, h);
}
common::StepFailures Results(const common::RunState& s, RecordingHost& h) {
  auto window = std::make_unique<results::ResultsWindowState>();
  auto failures = steps::RunResultsStep(s, h, *window).failures;
  h.SetStatus(StatusSlot::kMainText5, results::ResultsEndText(failures));  // as button ⑥ does
  return failures;
}
common::StepFailures Cancel(const common::RunState& s, RecordingHost& h) {
  ScriptedJvLink link;
  return steps::RunCancellationProcessing(s, link, h);
}
common::StepFailures RealtimeResults(const common::RunState& s, RecordingHost& h) {
  ScriptedJvLink link;
  auto failures = steps::LoadRealtimeResults(s, link, h).failures;
  h.SetStatus(StatusSlot::kRealtimeText1, steps::RealtimeResultsMenuEndText(failures));
  return failures;
}

const std::string kHorse = "2019100003";
const std::string kRace = "202406080511";  // 2024-06-08, course 05, race 11

struct Case {
  const char* name;
  StepRun run;
  std::vector<const char*> present;  // files put in place before the step (others are missing)
  bool final;                        // the race file ends in a race of DataCategory "7"
  const char* missing;               // the file the message names
  const char* first;                 // the button the message names
  const char* step;                  // the step that did not run
};

class StepInputs : public StoreFolder, public ::testing::WithParamInterface<Case> {
 protected:
  // The files of steps ① ②, ⑤ and ⑥ of a week with one race of one horse.
  void Make(const char* name, bool final) {
    const std::string n = name;
    const std::string race = Race({final ? "7" : "2", "20240606", "20240608", "05", "11", "R"});
    const std::string entry = Entry({final ? "7" : "2", "20240606", "20240608", "05", "11", "01", kHorse, "H"});
    if (n == "RATHISWEEKNNEW.dat" || n == "RATHISWEEKNNEWd.dat") Put(n, {race});
    if (n == "SETHISWEEKNNEW.dat" || n == "SETHISWEEKNNEWd.dat") Put(n, {entry});
    if (n == "HRTHISWEEKN.dat") Put(n, {});
    if (n == "KETTONUMTHISWEEKN.dat") {
      EXPECT_TRUE(common::WriteQuotedLines(Path(n), {kHorse}).ok());
    }
    if (n == "UMAGOTOTHISWEEKN") Put("UMAGOTOTHISWEEKN/" + kHorse + ".dat", {entry});
    if (n == "UMAGOTOEXTHISWEEKN") {
      std::filesystem::create_directories(Path("UMAGOTOEXTHISWEEKN"));
      // Last week's records: the horse's newest run is another race.
      engine::ExRecord old;
      old.SetText(engine::ex::Year, "2024");
      old.SetText(engine::ex::MonthDay, "0601");
      old.SetText(engine::ex::VenueCode, "05");
      old.SetText(engine::ex::RaceNum, "11");
      ASSERT_TRUE(common::WriteFileAtomic(Path("UMAGOTOEXTHISWEEKN/" + kHorse + "EX.dat"), old.bytes()).ok());
    }
    if (n == "lists") {
      for (const char* list : {"RACETHISWEEKN.dat", "RACETHISWEEKNSYOSAI.dat"})
        ASSERT_TRUE(common::WriteFileAtomic(Path(list), "\"LAST WEEK\"\r\n").ok());
    }
  }
};

TEST_P(StepInputs, RefusesNamingTheMissingFileAndTheStepToRunFirst) {
  const Case& c = GetParam();
  // The record says every step finished: the files are what is missing.
  MarkStepsFinished(app_, steps::WeekStep::kResults);
  for (const char* name : c.present) Make(name, c.final);
  const std::vector<std::string> before = FolderFiles();
  std::map<std::string, std::string> bytes;
  for (const auto& f : before)
    if (std::filesystem::is_regular_file(dir_ + f)) bytes[f] = common::ReadWholeFile(dir_ + f).value_or("");

  RecordingHost host;
  const common::StepFailures failures = c.run(common::RunStateFor(app_), host);

  EXPECT_TRUE(failures.refused);
  EXPECT_FALSE(failures.empty());
  ASSERT_EQ(host.Messages().size(), 1u);
  const std::string message = host.Messages()[0];
  EXPECT_THAT(message, HasSubstr(std::string("先に") + c.first + "を実行して下さい。" + c.step + "は行いませんでした。"));
  EXPECT_THAT(message, HasSubstr(c.missing));
  // Nothing changed, and no finished text.
  EXPECT_EQ(FolderFiles(), before);
  for (const auto& [f, b] : bytes) EXPECT_EQ(common::ReadWholeFile(dir_ + f).value_or("<gone>"), b) << f;
  for (StatusSlot slot : {StatusSlot::kPredictText1, StatusSlot::kPredictText3, StatusSlot::kMainText5,
                          StatusSlot::kChusiText1, StatusSlot::kRealtimeText1})
    for (const std::string& text : host.TextsOf(slot)) {
      EXPECT_THAT(text, ::testing::Not(HasSubstr("終了"))) << text;
      EXPECT_THAT(text, ::testing::Not(HasSubstr("終わりました"))) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepInputs,
    ::testing::Values(
        Case{"DayBeforeWithoutHorseList", DayBefore, {"RATHISWEEKNNEW.dat"}, false, "KETTONUMTHISWEEKN.dat",
             "②構造・中止処理", "前日固定"},
        Case{"DayBeforeWithoutRaceFile", DayBefore, {"KETTONUMTHISWEEKN.dat"}, false, "RATHISWEEKNNEW.dat",
             "②構造・中止処理", "前日固定"},
        Case{"PredictWithoutHorseList", Predict, {"RATHISWEEKNNEW.dat", "SETHISWEEKNNEW.dat"}, false,
             "KETTONUMTHISWEEKN.dat", "②構造・中止処理", "計算"},
        Case{"ResultsOnMondayWithoutPayouts", Results,
             {"RATHISWEEKNNEW.dat", "SETHISWEEKNNEW.dat", "KETTONUMTHISWEEKN.dat", "lists"}, true, "HRTHISWEEKN.dat",
             "①今週開催取得", "予想･結果"},
        Case{"ResultsWithoutExpandedRecords", Results,
             {"RATHISWEEKNNEW.dat", "SETHISWEEKNNEW.dat", "KETTONUMTHISWEEKN.dat", "UMAGOTOTHISWEEKN", "lists"}, false,
             "UMAGOTOEXTHISWEEKN/2019100003EX.dat", "⑤計算", "予想･結果"},
        Case{"ResultsWithLastWeeksExpandedRecords", Results,
             {"RATHISWEEKNNEW.dat", "SETHISWEEKNNEW.dat", "KETTONUMTHISWEEKN.dat", "UMAGOTOTHISWEEKN",
              "UMAGOTOEXTHISWEEKN", "lists"},
             false, "UMAGOTOEXTHISWEEKN/2019100003EX.dat", "⑤計算", "予想･結果"},
        Case{"CancelWithoutWorkingCopies", Cancel, {"RATHISWEEKNNEW.dat", "SETHISWEEKNNEW.dat"}, false,
             "RATHISWEEKNNEWd.dat", "②構造・中止処理", "中止処理"},
        Case{"RealtimeResultsWithoutResults", RealtimeResults, {"RATHISWEEKNNEW.dat"}, false,
             "RACETHISWEEKNSYOSAI.dat", "⑥予想・結果", "速報払戻等取得及び処理"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// An empty list that exists is a week without horses, as the step has always read it.
TEST_F(StoreFolder, EmptyHorseListIsNoRefusal) {
  MarkStepsFinished(app_, steps::WeekStep::kResults);
  Put("UMTHISWEEKNNEW.dat", {});
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {}).ok());
  EXPECT_TRUE(common::WriteQuotedLines(Path("HAHAHANNUMTHISWEEKN.dat"), {}).ok());
  Put("RATHISWEEKNNEW.dat", {});
  RecordingHost host;
  EXPECT_TRUE(DayBefore(common::RunStateFor(app_), host).empty());
  EXPECT_EQ(host.LastText(StatusSlot::kPredictText1), "前日固定終了");
  std::filesystem::create_directory(Path("OPTION1N"));
  EXPECT_TRUE(Predict(common::RunStateFor(app_), host).empty());
  EXPECT_EQ(host.LastText(StatusSlot::kPredictText3), "計算終了");
}

// Whichever order a step looks for its inputs in, the refusal names the earliest step whose files
// are missing or that has not finished.
TEST(MissingInputsText, NamesTheEarliestStep) {
  ProgramFolder folder;
  const std::vector<std::vector<const steps::ProducerStep*>> orders = {
      {&steps::kPredictStep, &steps::kStructureStep, &steps::kDownloadStep},
      {&steps::kDownloadStep, &steps::kStructureStep, &steps::kPredictStep},
      {&steps::kStructureStep, &steps::kDownloadStep, &steps::kResultsStep}};
  for (const auto& order : orders) {
    steps::MissingInputs missing(folder.app_path());
    for (const steps::ProducerStep* p : order) missing.Need(std::string("X") + std::string(p->button), *p);
    EXPECT_THAT(missing.Text("工程"), HasSubstr("先に①今週開催取得を実行して下さい。"));
  }
  // A step not finished before the step whose files are missing is named, and the other way round.
  for (bool record_first : {true, false}) {
    steps::MissingInputs missing(folder.app_path());
    const auto not_finished = [&] { missing.NotFinished(steps::kDayBeforeStep, common::Status::NotFound("r", "r")); };
    if (record_first) not_finished();
    missing.Need("UMAGOTOEXTHISWEEKN/x", steps::kPredictStep);
    if (!record_first) not_finished();
    EXPECT_THAT(missing.Text("工程"), HasSubstr("先に④前日固定を実行して下さい。")) << record_first;
  }
}

// Five missing files are named; the message counts the rest exactly.
TEST(MissingInputsText, CountsTheFilesItDoesNotName) {
  ProgramFolder folder;
  for (int n : {5, 6, 9}) {
    steps::MissingInputs missing(folder.app_path());
    for (int i = 1; i <= n; ++i) missing.Need("F" + std::to_string(i), steps::kStructureStep);
    const std::string text = missing.Text("工程");
    EXPECT_THAT(text, HasSubstr("F1、F2、F3、F4、F5"));
    EXPECT_THAT(text, ::testing::Not(HasSubstr("F6")));
    if (n == 5) {
      EXPECT_THAT(text, ::testing::Not(HasSubstr("ほか")));
    } else {
      EXPECT_THAT(text, HasSubstr("F5 ほか " + std::to_string(n - 5) + " 件"));
    }
  }
}

// ⑥ without this week's expanded records: the first five runners' files are named and the others
// counted, every runner once.
TEST_F(StoreFolder, ResultsCountsEveryRunnerWithoutThisWeeksRecords) {
  MarkStepsFinished(app_, steps::WeekStep::kResults);
  Put("RATHISWEEKNNEW.dat", {Race({"2", "20240606", "20240608", "05", "11", "R"})});
  std::vector<std::string> entries, horses;
  for (int h = 1; h <= 7; ++h) {
    const std::string ketto = "20191000" + std::string(h < 10 ? "0" : "") + std::to_string(h);
    const std::string umaban = std::string(h < 10 ? "0" : "") + std::to_string(h);
    entries.push_back(Entry({"2", "20240606", "20240608", "05", "11", umaban, ketto, "H"}));
    horses.push_back(ketto);
  }
  Put("SETHISWEEKNNEW.dat", entries);
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), horses).ok());
  RecordingHost host;
  const common::StepFailures failures = Results(common::RunStateFor(app_), host);
  EXPECT_TRUE(failures.refused);
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_THAT(host.Messages()[0], HasSubstr("UMAGOTOEXTHISWEEKN/2019100005EX.dat ほか 2 件"));
  EXPECT_THAT(host.Messages()[0], HasSubstr("先に⑤計算を実行して下さい。"));
}

}  // namespace
// A needed file that is there but cannot be looked at (a link that loops, a file where a folder
// should be) is not "missing": the step reads it and names what is wrong with it.
TEST(MissingInputsText, AFileThatCannotBeCheckedIsNotMissing) {
  ProgramFolder folder;
  const std::string app = folder.app_path();
  ASSERT_EQ(::symlink("LOOP", (app + "LOOP").c_str()), 0);
  folder.Touch("AFILE");
  for (const char* name : {"LOOP", "AFILE/UNDER"}) {
    steps::MissingInputs missing(app);
    missing.Need(name, steps::kStructureStep);
    EXPECT_TRUE(missing.empty()) << name;
  }
  steps::MissingInputs missing(app);
  missing.Need("NOSUCH", steps::kStructureStep);
  EXPECT_FALSE(missing.empty());
}

// At the same step, a missing file says more than a step not finished: the refusal names the file.
TEST(MissingInputsText, NamesTheMissingFileOverNotFinished) {
  ProgramFolder folder;
  for (bool record_first : {true, false}) {
    steps::MissingInputs missing(folder.app_path());
    const auto not_finished = [&] { missing.NotFinished(steps::kStructureStep, common::Status::NotFound("r", "r")); };
    if (record_first) not_finished();
    missing.Need("KETTONUMTHISWEEKN.dat", steps::kStructureStep);
    if (!record_first) not_finished();
    const std::string text = missing.Text("工程");
    EXPECT_THAT(text, HasSubstr("構造体処理のファイルがありません。")) << record_first;
    EXPECT_THAT(text, HasSubstr("KETTONUMTHISWEEKN.dat")) << record_first;
    EXPECT_THAT(text, ::testing::Not(HasSubstr("終わった記録がありません"))) << record_first;
  }
}

// "⑤ has run" counts only the runners of the week's listed races: a runner of another race with
// this week's record does not prove it.
TEST_F(StoreFolder, ResultsCountsOnlyRunnersOfListedRaces) {
  MarkStepsFinished(app_, steps::WeekStep::kResults);
  // Race 11 is listed; race 12 (DataCategory "9", a race taken back) is not.
  Put("RATHISWEEKNNEW.dat", {Race({"2", "20240606", "20240608", "05", "11", "R"}),
                             Race({"9", "20240606", "20240608", "05", "12", "R"})});
  const std::string listed = "2019100001", unlisted = "2019100002";
  Put("SETHISWEEKNNEW.dat", {Entry({"2", "20240606", "20240608", "05", "11", "01", listed, "H"}),
                             Entry({"9", "20240606", "20240608", "05", "12", "01", unlisted, "H"})});
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {listed, unlisted}).ok());
  // Only the runner of the unlisted race has this week's expanded record.
  std::filesystem::create_directories(Path("UMAGOTOEXTHISWEEKN"));
  engine::ExRecord run;
  run.SetText(engine::ex::Year, "2024");
  run.SetText(engine::ex::MonthDay, "0608");
  run.SetText(engine::ex::VenueCode, "05");
  run.SetText(engine::ex::RaceNum, "12");
  ASSERT_TRUE(common::WriteFileAtomic(Path("UMAGOTOEXTHISWEEKN/" + unlisted + "EX.dat"), run.bytes()).ok());
  RecordingHost host;
  const common::StepFailures failures = Results(common::RunStateFor(app_), host);
  EXPECT_TRUE(failures.refused);
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_THAT(host.Messages()[0], HasSubstr("UMAGOTOEXTHISWEEKN/" + listed + "EX.dat"));
  EXPECT_THAT(host.Messages()[0], HasSubstr("先に⑤計算を実行して下さい。"));
}

}  // namespace radadovur::testing
