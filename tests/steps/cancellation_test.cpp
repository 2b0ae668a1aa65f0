#include "steps/cancellation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "common/record_file.h"
#include "jvlink/replay_jv_link.h"
#include "steps/realtime_results_fetch.h"
#include "store/store_files.h"
#include "support/recording_host.h"
#include "support/scripted_jv_link.h"
#include "support/store_fixture.h"
#include "support/week_record.h"

namespace radadovur::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Read = ScriptedJvLink::Read;

const std::string kInit = "JVInit SA730215/SD918342/ZEDORADERIDEROZE/ver.2020.3.2";

class CancellationStep : public StoreFolder {
 protected:
  void SetUp() override {
    StoreFolder::SetUp();
    MarkStepsFinished(app_, steps::WeekStep::kStructure);
    // Two race days, Saturday's race 11 under categories "1" and "2".
    Put("RATHISWEEKNNEW.dat", {Race({"7", "20230601", "20230528", "05", "11", "past"}),
                               Race({"1", "20240801", "20240803", "05", "11", "sat-11-cat1"}),
                               Race({"2", "20240801", "20240803", "05", "11", "sat-11-cat2"}),
                               Race({"2", "20240801", "20240803", "05", "12", "sat-12"}),
                               Race({"2", "20240801", "20240804", "05", "05", "sun-05", "02"})});
    std::filesystem::copy_file(Path("RATHISWEEKNNEW.dat"), Path("RATHISWEEKNNEWd.dat"));
    Put("SETHISWEEKNNEW.dat", {Entry({"7", "20230601", "20230528", "05", "11", "01", kHorse, "past-run"}),
                               Entry({"2", "20240801", "20240804", "05", "05", "03", kHorse, "sunday-run", "02"}),
                               Entry({"2", "20240801", "20240804", "05", "05", "04", "2000000002", "other", "02"})});
    std::filesystem::copy_file(Path("SETHISWEEKNNEW.dat"), Path("SETHISWEEKNNEWd.dat"));
    ASSERT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {kHorse, "2000000002"}).ok());
  }
  common::StepFailures Run() { return steps::RunCancellationProcessing(common::RunStateFor(app_), link_, host_); }

  static constexpr const char* kHorse = "2000000001";
  ScriptedJvLink link_;
  RecordingHost host_;
};

TEST_F(CancellationStep, TakesCancelledRacesAndScratchedRunnersOutOfTheStoreAndTheEntryFiles) {
  link_.reads = {
      // Sunday, the newest date, first.
      ScriptedJvLink::Record(Entry({"9", "20240804", "20240804", "05", "05", "03", kHorse, "scratched", "02"})),
      ScriptedJvLink::Record(MakeRecord(jvdata::RecordType::O1, {})),  // not kept
      {jvlink::jvread::kFileBoundary, ""},
      {-501, ""},  // one read error, then the records go on
      ScriptedJvLink::Record(MakeRecord(jvdata::RecordType::HR, {})),
      {jvlink::jvread::kRealtimeEnd, ""},
      // Saturday.
      ScriptedJvLink::Record(Race({"9", "20240803", "20240803", "05", "11", "called-off"})),
      {jvlink::jvread::kRealtimeEnd, ""},
      // The race of 28 May last year.
      {jvlink::jvread::kEnd, ""},
  };
  EXPECT_THAT(Run().Texts(), IsEmpty());
  EXPECT_THAT(link_.calls, ElementsAre(kInit, "JVRTOpen 0B12 20240804", "JVClose", kInit, "JVRTOpen 0B12 20240803", "JVClose",
                                       kInit, "JVRTOpen 0B12 20230528", "JVClose"));
  EXPECT_THAT(EntryTags("SERIALTIME.dat"), ElementsAre("scratched"));
  EXPECT_THAT(RaceTags("RARIALTIME.dat"), ElementsAre("called-off"));
  EXPECT_EQ(Bytes("HRRIALTIME.dat").size(), jvdata::hr::kLength);

  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ElementsAre("past", "sat-12", "sun-05"));
  EXPECT_THAT(EntryTags("SETHISWEEKNNEW.dat"), ElementsAre("past-run", "other"));
  EXPECT_THAT(EntryTags("UMAGOTOTHISWEEKN/2000000001.dat"), ElementsAre("past-run"));
  EXPECT_THAT(EntryTags("UMAGOTOTHISWEEKN/2000000002.dat"), ElementsAre("other"));
  EXPECT_THAT(host_.TextsOf(common::StatusSlot::kChusiText1),
              ElementsAre(std::string(steps::kCancellationStartText), std::string(steps::kCancellationEndText)));
  EXPECT_THAT(host_.Messages(), IsEmpty());
}

TEST_F(CancellationStep, JvLinkFailuresAreShownAndTheProcessingGoesOnWithoutTheEndText) {
  link_.init_rc = -101;
  link_.reads = {
      ScriptedJvLink::Record(Entry({"9", "20240804", "20240804", "05", "05", "03", kHorse, "scratched", "02"})),
  };
  // Then the same error for ever, as after a request that did not open.
  for (int i = 0; i < steps::kRealtimeReadTries; ++i) link_.reads.push_back({-113, ""});
  link_.reads.push_back({jvlink::jvread::kRealtimeEnd, ""});  // never reached for Sunday
  const common::StepFailures failures = Run();
  const auto messages = host_.Messages();
  ASSERT_GE(messages.size(), 3u);
  EXPECT_EQ(messages[0], "JVInitエラー。RC=-101");
  EXPECT_THAT(messages[1], HasSubstr("JVReadエラー。 RC=-113"));
  EXPECT_THAT(messages[1], HasSubstr("20240804"));
  EXPECT_THAT(messages.back(), HasSubstr(std::string(steps::kCancellationFailedText)));
  EXPECT_THAT(messages.back(), HasSubstr("JVReadエラー。 RC=-113"));
  EXPECT_FALSE(failures.empty());
  // What was read before the error still counts.
  EXPECT_THAT(EntryTags("SETHISWEEKNNEW.dat"), ElementsAre("past-run", "other"));
  EXPECT_THAT(host_.LastText(common::StatusSlot::kChusiText1), HasSubstr(std::string(steps::kCancellationFailedText)));
}

// A missing recording folder is its own cause, told once: not a read error per race day under
// advice to retry, and the store stays as it was.
TEST_F(CancellationStep, AMissingRecordingFolderIsNamedOnceAndChangesNothing) {
  jvlink::ReplayJvLink nowhere(app_ + "JVDATA");
  const std::string races = Bytes("RATHISWEEKNNEW.dat");
  const std::string entries = Bytes("SETHISWEEKNNEW.dat");
  const common::StepFailures failures = steps::RunCancellationProcessing(common::RunStateFor(app_), nowhere, host_);
  ASSERT_EQ(failures.items.size(), 1u) << ::testing::PrintToString(failures.Texts());
  const std::string text = failures.Texts()[0];
  EXPECT_THAT(text, HasSubstr("JVRTOpenエラー。RC=-113"));
  EXPECT_THAT(text, HasSubstr("記録フォルダがありません"));
  EXPECT_THAT(text, HasSubstr(app_ + "JVDATA"));
  ASSERT_EQ(host_.Messages().size(), 1u);  // the failure report alone
  for (const char* never : {"RC=-101", "ディスク", "もう一度実行"}) EXPECT_THAT(host_.Messages()[0], ::testing::Not(HasSubstr(never)));
  EXPECT_EQ(Bytes("RATHISWEEKNNEW.dat"), races);
  EXPECT_EQ(Bytes("SETHISWEEKNNEW.dat"), entries);
}

TEST_F(CancellationStep, AFailingStoreFileEndsTheProcessingWithItsName) {
  std::filesystem::remove(Path("SETHISWEEKNNEWd.dat"));
  std::filesystem::create_directory(Path("SETHISWEEKNNEWd.dat"));
  const std::string entries = Bytes("SETHISWEEKNNEW.dat");
  const common::StepFailures failures = Run();
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_EQ(failures.items[0].path(), Path("SETHISWEEKNNEWd.dat"));
  EXPECT_EQ(Bytes("SETHISWEEKNNEW.dat"), entries);
  EXPECT_FALSE(common::FileExists(Path("UMAGOTOTHISWEEKN/2000000001.dat")));  // no rebuild after the failure
  EXPECT_THAT(host_.LastText(common::StatusSlot::kChusiText1), HasSubstr("SETHISWEEKNNEWd.dat"));
  EXPECT_THAT(host_.Messages(), ElementsAre(HasSubstr("SETHISWEEKNNEWd.dat")));
}

TEST_F(CancellationStep, AnEmptyRaceFileFetchesNothing) {
  Put("RATHISWEEKNNEW.dat", {});
  std::vector<std::string> dates = {"x"};
  common::StepFailures failures;
  EXPECT_TRUE(steps::FetchRealtimeResults(app_, link_, host_, failures, &dates).ok());
  EXPECT_THAT(dates, IsEmpty());
  EXPECT_THAT(link_.calls, IsEmpty());
  EXPECT_TRUE(failures.empty());
}

}  // namespace
}  // namespace radadovur::testing
