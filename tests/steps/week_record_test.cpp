// The week's record of steps: its text read back whole, a damaged record read as "nothing
// finished since ①" and named, and the rule that a step refuses while a step it reads from has not
// finished for the current download, naming the earliest.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "common/text_file.h"
#include "steps/step_inputs.h"
#include "steps/week_record.h"
#include "support/week_record.h"
#include "support/program_folder.h"
#include "support/recording_host.h"

namespace radadovur::testing {
namespace {

using ::testing::HasSubstr;
using steps::WeekStep;

constexpr WeekStep kAll[] = {WeekStep::kDownload,    WeekStep::kStructure,    WeekStep::kCancellation,
                             WeekStep::kDayBefore,   WeekStep::kPredict,      WeekStep::kResults,
                             WeekStep::kRealtimeOdds, WeekStep::kRealtimeResults};

steps::WeekRecord AWeek() {
  steps::WeekRecord r;
  r.download = 7;
  for (WeekStep s : kAll) r.Of(s) = steps::StepMark{true, true, 7};
  r.Of(WeekStep::kRealtimeOdds) = steps::StepMark{true, false, 7};
  r.Of(WeekStep::kCancellation) = steps::StepMark{};
  r.failed_horses = {"2019100003", "2018104567"};
  return r;
}

void ExpectSame(const steps::WeekRecord& a, const steps::WeekRecord& b) {
  EXPECT_EQ(a.download, b.download);
  for (WeekStep s : kAll) {
    EXPECT_EQ(a.Of(s).present, b.Of(s).present) << static_cast<int>(s);
    EXPECT_EQ(a.Of(s).finished, b.Of(s).finished) << static_cast<int>(s);
    EXPECT_EQ(a.Of(s).download, b.Of(s).download) << static_cast<int>(s);
  }
  EXPECT_EQ(a.failed_horses, b.failed_horses);
}

TEST(WeekRecordText, ReadsBackWhatItWrote) {
  const steps::WeekRecord week = AWeek();
  const std::string text = steps::WeekRecordText(week);
  EXPECT_EQ(text,
            "RADADOVUR STEPS 1\r\ndownload 7 done\r\nstructure 7 done\r\ndaybefore 7 done\r\npredict 7 done\r\n"
            "failed 2019100003\r\nfailed 2018104567\r\nresults 7 done\r\nrealtime-odds 7 due\r\n"
            "realtime-results 7 done\r\nend\r\n");
  steps::WeekRecord read;
  ASSERT_TRUE(steps::ParseWeekRecord(text, "/p/STEPSTHISWEEKN.txt", read).ok());
  ExpectSame(read, week);
  EXPECT_TRUE(read.Finished(WeekStep::kPredict));
  EXPECT_FALSE(read.Finished(WeekStep::kRealtimeOdds));
}

struct Damage {
  const char* name;
  std::function<std::string(std::string)> apply;
};

class DamagedRecord : public ::testing::TestWithParam<Damage> {};

// Whatever the damage, nothing in the record is trusted: ① counts as finished, nothing after it.
TEST_P(DamagedRecord, ReadsAsNothingFinishedSinceTheDownloadAndIsNamed) {
  const std::string text = GetParam().apply(steps::WeekRecordText(AWeek()));
  steps::WeekRecord read = AWeek();
  const common::Status s = steps::ParseWeekRecord(text, "/p/STEPSTHISWEEKN.txt", read);
  EXPECT_TRUE(s.IsCorruption()) << s.ToString();
  EXPECT_THAT(s.ToString(), HasSubstr("/p/STEPSTHISWEEKN.txt"));
  ExpectSame(read, steps::RecordBeforeAnyStep());
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedRecord,
    ::testing::Values(
        Damage{"Empty", [](std::string) { return std::string(); }},
        Damage{"CutLastByte", [](std::string t) { return t.substr(0, t.size() - 1); }},
        Damage{"CutBeforeEnd", [](std::string t) { return t.substr(0, t.find("end\r\n")); }},
        Damage{"ByteIn", [](std::string t) { return Replaced(t, "predict 7", "predict 77x"); }},
        Damage{"ByteOut", [](std::string t) { return Replaced(t, "results 7 done", "results 7 don"); }},
        Damage{"LoneLineEnd", [](std::string t) { return Replaced(t, "structure 7 done\r\n", "structure 7 done\n"); }},
        Damage{"CrLfInside", [](std::string t) { return Replaced(t, "daybefore 7", "daybefore\r\n7"); }},
        Damage{"HeaderLost", [](std::string t) { return t.substr(t.find("\r\n") + 2); }},
        Damage{"StepsOutOfOrder", [](std::string t) { return Replaced(t, "download", "results"); }},
        // Only the order rule catches these: each line on its own is sound (a later line must not
        // win over an earlier one of the same step).
        Damage{"StepLineRepeated",
               [](std::string t) { return Replaced(t, "structure 7 done\r\n", "structure 7 done\r\nstructure 6 due\r\n"); }},
        Damage{"TwoStepsSwapped",
               [](std::string t) {
                 return Replaced(t, "structure 7 done\r\ndaybefore 7 done\r\n", "daybefore 7 done\r\nstructure 7 done\r\n");
               }},
        Damage{"UnknownStep", [](std::string t) { return Replaced(t, "daybefore", "daybefor3"); }},
        Damage{"NoDownload", [](std::string t) { return Replaced(t, "download 7 done\r\n", ""); }},
        Damage{"HorseThatNamesAPath", [](std::string t) { return Replaced(t, "2019100003", "../../etc/x"); }},
        Damage{"HugeId", [](std::string t) { return Replaced(t, "download 7", "download 1234567890123456789012"); }}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

// What happens to the record, one step at a time: the step starts (and is interrupted or fails)
// or it runs to its end.
struct Event {
  WeekStep step;
  bool finished;
};

struct RefusalCase {
  const char* name;
  std::vector<Event> events;
  bool damaged;       // the record is then damaged
  WeekStep step;      // the step asked for
  const char* first;  // the button the refusal names; nullptr: no refusal
  bool downloaded = false;  // ①'s race file is there (a folder from before the record)
};

class StepRefusal : public ::testing::TestWithParam<RefusalCase> {
 protected:
  ProgramFolder folder_;
};

TEST_P(StepRefusal, NamesTheEarliestStepNotFinished) {
  const RefusalCase& c = GetParam();
  const std::string app = folder_.app_path();
  for (const Event& e : c.events) {
    ASSERT_TRUE(testing::StartStep(app, e.step).ok());
    if (e.finished) {
      ASSERT_TRUE(testing::FinishStep(app, e.step).ok());
    }
  }
  if (c.damaged) {
    ASSERT_TRUE(common::WriteFileAtomic(app + "STEPSTHISWEEKN.txt", "RADADOVUR STEPS 1\r\ndown").ok());
  }
  if (c.downloaded) folder_.Touch("RATHISWEEKN.dat");

  steps::MissingInputs missing(app);
  steps::NeedFinished(missing, c.step);
  if (!c.first) {
    EXPECT_TRUE(missing.empty()) << missing.Text("工程");
    return;
  }
  RecordingHost host;
  common::StepFailures failures;
  ASSERT_TRUE(missing.Refuse("工程", host, failures));
  EXPECT_TRUE(failures.refused);
  ASSERT_EQ(host.Messages().size(), 1u);
  // A damaged record is named, with the one step to run first.
  EXPECT_THAT(host.Messages()[0], HasSubstr(c.damaged ? "壊れています" : "が終わった記録がありません"));
  EXPECT_THAT(host.Messages()[0], HasSubstr(std::string("先に") + c.first + "を実行して下さい。工程は行いませんでした。"));
  EXPECT_EQ(host.Messages()[0].find("先に"), host.Messages()[0].rfind("先に")) << host.Messages()[0];
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_THAT(failures.items[0].ToString(), HasSubstr("STEPSTHISWEEKN.txt"));
  if (c.damaged) {
    EXPECT_THAT(host.Messages()[0], HasSubstr("壊れています"));
  }
}

constexpr Event Ran(WeekStep s) { return {s, true}; }
constexpr Event Cut(WeekStep s) { return {s, false}; }
const std::vector<Event> kFriday = {Ran(WeekStep::kDownload), Ran(WeekStep::kStructure), Ran(WeekStep::kDayBefore),
                                    Ran(WeekStep::kPredict), Ran(WeekStep::kResults)};
std::vector<Event> FridayThen(std::vector<Event> more) {
  std::vector<Event> events = kFriday;
  events.insert(events.end(), more.begin(), more.end());
  return events;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StepRefusal,
    ::testing::Values(
        // A folder from before the record: the download counts, nothing after it.
        RefusalCase{"NoRecordStructureRuns", {}, false, WeekStep::kStructure, nullptr, true},
        RefusalCase{"NoRecordDayBefore", {}, false, WeekStep::kDayBefore, "②構造・中止処理", true},
        RefusalCase{"NoRecordResults", {}, false, WeekStep::kResults, "②構造・中止処理", true},
        RefusalCase{"NoRecordRealtimeOdds", {}, false, WeekStep::kRealtimeOdds, "②構造・中止処理", true},
        // A new folder, where ① never ran: every later step names ①.
        RefusalCase{"NewFolderStructure", {}, false, WeekStep::kStructure, "①今週開催取得"},
        RefusalCase{"NewFolderDayBefore", {}, false, WeekStep::kDayBefore, "①今週開催取得"},
        RefusalCase{"NewFolderResults", {}, false, WeekStep::kResults, "①今週開催取得"},
        RefusalCase{"NewFolderRealtimeOdds", {}, false, WeekStep::kRealtimeOdds, "①今週開催取得"},
        // A damaged record: no step after ① trusts it, ② included; the one instruction is ①.
        RefusalCase{"DamagedRecordPredict", kFriday, true, WeekStep::kPredict, "①今週開催取得"},
        RefusalCase{"DamagedRecordStructure", kFriday, true, WeekStep::kStructure, "①今週開催取得"},
        RefusalCase{"DamagedRecordDownloadRuns", kFriday, true, WeekStep::kDownload, nullptr},
        RefusalCase{"DownloadFailed", {Cut(WeekStep::kDownload)}, false, WeekStep::kStructure, "①今週開催取得"},
        RefusalCase{"DownloadFailedResults", FridayThen({Cut(WeekStep::kDownload)}), false, WeekStep::kResults,
                    "①今週開催取得"},
        RefusalCase{"StructureFailed", FridayThen({Cut(WeekStep::kStructure)}), false, WeekStep::kDayBefore,
                    "②構造・中止処理"},
        RefusalCase{"PredictBeforeDayBefore", {Ran(WeekStep::kDownload), Ran(WeekStep::kStructure)}, false,
                    WeekStep::kPredict, "④前日固定"},
        RefusalCase{"PredictInterrupted", FridayThen({Cut(WeekStep::kPredict)}), false, WeekStep::kResults, "⑤計算"},
        RefusalCase{"DayBeforeAgainMakesPredictDue", FridayThen({Ran(WeekStep::kDayBefore)}), false,
                    WeekStep::kResults, "⑤計算"},
        RefusalCase{"StructureAgainMakesDayBeforeDue", FridayThen({Ran(WeekStep::kStructure)}), false,
                    WeekStep::kPredict, "④前日固定"},
        // A new download makes every later step due: the refusal names the first of them.
        RefusalCase{"NewDownloadResults", FridayThen({Ran(WeekStep::kDownload)}), false, WeekStep::kResults,
                    "②構造・中止処理"},
        RefusalCase{"NewDownloadRealtimeResults", FridayThen({Ran(WeekStep::kDownload)}), false,
                    WeekStep::kRealtimeResults, "②構造・中止処理"},
        RefusalCase{"CancellationFailed", FridayThen({Cut(WeekStep::kCancellation)}), false, WeekStep::kDayBefore,
                    "②構造・中止処理（中止処理を選択して）"},
        RefusalCase{"CancellationFailedRealtimeOdds", FridayThen({Cut(WeekStep::kCancellation)}), false,
                    WeekStep::kRealtimeOdds, "②構造・中止処理（中止処理を選択して）"},
        RefusalCase{"CancellationAgainMakesResultsDue", FridayThen({Ran(WeekStep::kCancellation)}), false,
                    WeekStep::kResults, "④前日固定"},
        RefusalCase{"ResultsInterruptedRealtimeResults", FridayThen({Cut(WeekStep::kResults)}), false,
                    WeekStep::kRealtimeResults, "⑥予想・結果"},
        // Runs in the week's order are accepted, the cancellation whether it ran or not.
        RefusalCase{"FridayRealtimeResults", kFriday, false, WeekStep::kRealtimeResults, nullptr},
        RefusalCase{"FridayRealtimeOdds", kFriday, false, WeekStep::kRealtimeOdds, nullptr},
        RefusalCase{"CancellationRanDayBefore",
                    {Ran(WeekStep::kDownload), Ran(WeekStep::kStructure), Ran(WeekStep::kCancellation)}, false,
                    WeekStep::kDayBefore, nullptr},
        RefusalCase{"RealtimeStepsMakeNothingDue", FridayThen({Cut(WeekStep::kRealtimeOdds),
                                                               Cut(WeekStep::kRealtimeResults)}),
                    false, WeekStep::kRealtimeResults, nullptr}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// ⑤ leaves its failed horses for ⑥; any step before ⑤ run again forgets them.
TEST(WeekRecordSteps, PredictKeepsItsFailedHorsesUntilAStepBeforeItRunsAgain) {
  ProgramFolder folder;
  const std::string app = folder.app_path();
  for (WeekStep s : {WeekStep::kDownload, WeekStep::kStructure, WeekStep::kDayBefore, WeekStep::kPredict})
    ASSERT_TRUE(testing::StartStep(app, s).ok());
  ASSERT_TRUE(testing::FinishStep(app, WeekStep::kPredict, {"2019100003", "../x", "2018104567"}).ok());
  steps::WeekRecord r;
  ASSERT_TRUE(steps::ReadWeekRecord(app, r).ok());
  EXPECT_THAT(r.failed_horses, ::testing::ElementsAre("2019100003", "2018104567"));  // an id that names no file is left out
  ASSERT_TRUE(testing::StartStep(app, WeekStep::kResults).ok());
  ASSERT_TRUE(steps::ReadWeekRecord(app, r).ok());
  EXPECT_EQ(r.failed_horses.size(), 2u);
  ASSERT_TRUE(testing::StartStep(app, WeekStep::kDayBefore).ok());
  ASSERT_TRUE(steps::ReadWeekRecord(app, r).ok());
  EXPECT_TRUE(r.failed_horses.empty());
}

// A step is marked finished only for the download it started on, while its own start mark is
// still in the record: a ① that started beside it (a run without the lock) leaves it unfinished.
TEST(WeekRecordSteps, FinishedOnlyForTheDownloadTheStepRead) {
  ProgramFolder folder;
  const std::string app = folder.app_path();
  ASSERT_TRUE(StartStep(app, WeekStep::kDownload).ok());
  ASSERT_TRUE(FinishStep(app, WeekStep::kDownload).ok());
  uint64_t structure_read = 0;
  ASSERT_TRUE(steps::MarkStepStarted(app, WeekStep::kStructure, structure_read).ok());
  ASSERT_TRUE(StartStep(app, WeekStep::kDownload).ok());  // a new download under ②
  const common::Status s = steps::MarkStepFinished(app, WeekStep::kStructure, structure_read);
  EXPECT_FALSE(s.ok());
  EXPECT_THAT(s.ToString(), HasSubstr("構造体処理の実行中にフォルダが変わりました"));
  steps::WeekRecord r;
  ASSERT_TRUE(steps::ReadWeekRecord(app, r).ok());
  EXPECT_FALSE(r.Finished(WeekStep::kStructure));
  EXPECT_FALSE(r.Of(WeekStep::kStructure).present);

  // Nor for its own download once another run of it has marked it since.
  uint64_t first = 0, second = 0;
  ASSERT_TRUE(steps::MarkStepStarted(app, WeekStep::kStructure, first).ok());
  ASSERT_TRUE(steps::MarkStepStarted(app, WeekStep::kStructure, second).ok());
  ASSERT_TRUE(steps::MarkStepFinished(app, WeekStep::kStructure, second).ok());
  EXPECT_FALSE(steps::MarkStepFinished(app, WeekStep::kStructure, first).ok());
}

// ② with the cancellation chosen marks it due from its start: ④ and the realtime odds wait for
// the cancellation even when ② finished and the cancellation never began.
TEST(WeekRecordSteps, ChosenCancellationIsDueFromTheStartOfStructure) {
  ProgramFolder folder;
  const std::string app = folder.app_path();
  ASSERT_TRUE(StartStep(app, WeekStep::kDownload).ok());
  ASSERT_TRUE(FinishStep(app, WeekStep::kDownload).ok());
  uint64_t download = 0;
  ASSERT_TRUE(steps::MarkStepStarted(app, WeekStep::kStructure, download, WeekStep::kCancellation).ok());
  ASSERT_TRUE(steps::MarkStepFinished(app, WeekStep::kStructure, download).ok());
  for (WeekStep later : {WeekStep::kDayBefore, WeekStep::kRealtimeOdds}) {
    steps::MissingInputs missing(app);
    steps::NeedFinished(missing, later);
    EXPECT_THAT(missing.Text("工程"), HasSubstr("先に②構造・中止処理（中止処理を選択して）を実行して下さい。"));
  }
}

// Each download gets its own identity; a step finished for an earlier one does not count.
TEST(WeekRecordSteps, EachDownloadHasItsOwnIdentity) {
  ProgramFolder folder;
  const std::string app = folder.app_path();
  steps::WeekRecord r;
  ASSERT_TRUE(steps::ReadWeekRecord(app, r).ok());
  EXPECT_EQ(r.download, 0u);
  for (uint64_t n = 1; n <= 3; ++n) {
    ASSERT_TRUE(testing::StartStep(app, WeekStep::kDownload).ok());
    ASSERT_TRUE(steps::ReadWeekRecord(app, r).ok());
    EXPECT_EQ(r.download, n);
    EXPECT_FALSE(r.Finished(WeekStep::kDownload));
    ASSERT_TRUE(testing::FinishStep(app, WeekStep::kDownload).ok());
    ASSERT_TRUE(testing::StartStep(app, WeekStep::kStructure).ok());
    ASSERT_TRUE(testing::FinishStep(app, WeekStep::kStructure).ok());
  }
  ASSERT_TRUE(steps::ReadWeekRecord(app, r).ok());
  EXPECT_EQ(r.Of(WeekStep::kStructure).download, 3u);
  r.download = 2;  // a structure run recorded for download 3 is not download 2's
  EXPECT_FALSE(r.Finished(WeekStep::kStructure));
}

}  // namespace
}  // namespace radadovur::testing
