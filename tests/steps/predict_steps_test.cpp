// Steps ④ and ⑤ as the prediction window runs them: their end texts, and how they report what
// failed instead of ending as if all went well.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_file.h"
#include "steps/day_before.h"
#include "steps/predict.h"
#include "support/recording_host.h"
#include "support/store_fixture.h"
#include "support/week_record.h"

namespace radadovur::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using common::StatusSlot;

using PredictSteps = StoreFolder;

TEST_F(PredictSteps, DayBeforeEndsWithItsTextOrStopsWithAMessage) {
  RecordingHost host;
  MarkStepsFinished(app_, steps::WeekStep::kStructure);
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {}).ok());
  Put("RATHISWEEKNNEW.dat", {});
  EXPECT_TRUE(steps::RunDayBefore(common::RunStateFor(app_), host).empty());  // nothing to fix yet
  EXPECT_EQ(host.TextsOf(StatusSlot::kPredictText1), std::vector<std::string>{"前日固定終了"});
  EXPECT_TRUE(host.TextsOf(StatusSlot::kPredictText3).empty());
  EXPECT_TRUE(host.Messages().empty());

  // The race file cannot be read: no end text, a message naming the file.
  std::filesystem::remove(Path("RATHISWEEKNNEW.dat"));
  std::filesystem::create_directory(Path("RATHISWEEKNNEW.dat"));
  RecordingHost failing;
  const auto failures = steps::RunDayBefore(common::RunStateFor(app_), failing);
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_EQ(failing.TextsOf(StatusSlot::kPredictText1), std::vector<std::string>{"前日固定を中断しました。"});
  ASSERT_EQ(failing.Messages().size(), 1u);
  EXPECT_THAT(failing.Messages()[0], StartsWith(std::string(steps::kDayBeforeFailureHeading)));
  EXPECT_THAT(failing.Messages()[0], HasSubstr("RATHISWEEKNNEW.dat"));
}

TEST_F(PredictSteps, PredictionNamesFailedAndStaleHorsesAndShowsTheEndTextOnlyWhenAllWereDone) {
  const engine::ReferenceModel model;
  RecordingHost empty_week;
  std::filesystem::create_directory(Path("OPTION1N"));  // the package, without statistics
  MarkStepsFinished(app_, steps::WeekStep::kDayBefore);
  Put("RATHISWEEKNNEW.dat", {});
  Put("UMTHISWEEKNNEW.dat", {});
  EXPECT_TRUE(common::WriteQuotedLines(Path("HAHAHANNUMTHISWEEKN.dat"), {}).ok());
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {}).ok());
  EXPECT_TRUE(steps::RunPrediction(common::RunStateFor(app_), model, empty_week).empty());
  EXPECT_EQ(empty_week.TextsOf(StatusSlot::kPredictText3),
            (std::vector<std::string>{std::string(steps::kPredictStartText), "計算終了"}));
  EXPECT_EQ(empty_week.Messages(), std::vector<std::string>{});

  // S: this week's entry created before the run before it (dropped, named, not a failure).
  // F: its expanded-record file cannot be emptied (a folder in its place): a failure.
  const std::string S = "2019100003", F = "2019100006";
  Put("UMAGOTOTHISWEEKN/" + S + ".dat",
      {Entry({"7", "20240606", "20240601", "05", "01", "01", S, "OLD"}),
       Entry({"2", "20240530", "20240608", "05", "11", "01", S, "NEW"})});
  std::filesystem::create_directories(Path("UMAGOTOEXTHISWEEKN/" + F + "EX.dat"));
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {S, F}).ok());
  RecordingHost host;
  const auto failures = steps::RunPrediction(common::RunStateFor(app_), model, host);
  ASSERT_FALSE(failures.empty());
  EXPECT_EQ(host.LastText(StatusSlot::kPredictText3), "計算は終わりましたが、1頭を処理できませんでした: " + F);
  ASSERT_EQ(host.Messages().size(), 1u);
  const std::string message = host.Messages()[0];
  EXPECT_THAT(message, StartsWith(std::string(steps::kPredictFailureHeading)));
  EXPECT_THAT(message, HasSubstr(F + "EX.dat"));
  EXPECT_THAT(message, HasSubstr(std::string(steps::kStaleDroppedHeading) + "\n" + S));
  // The failure stands under a heading of its own, before the stale horses' heading: it must not
  // read as one of them.
  const size_t failures_heading = message.find("\n" + std::string(steps::kPredictFailuresListHeading) + "\n");
  const size_t failed = message.find(F + "EX.dat", failures_heading);
  EXPECT_NE(failures_heading, std::string::npos) << message;
  EXPECT_LT(failed, message.find(std::string(steps::kStaleDroppedHeading))) << message;
  EXPECT_EQ(std::filesystem::file_size(Path("UMAGOTOEXTHISWEEKN/" + S + "EX.dat")), 2603u);
}

TEST(PredictionModel, AMissingModelIsAMessageNamingTheFile) {
  TempFolder folder("predict_model_");
  RecordingHost host;
  engine::ReferenceModel model;
  EXPECT_FALSE(steps::LoadPredictionModel(common::RunStateFor(folder.path()), model, host).ok());
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_THAT(host.Messages()[0], StartsWith(std::string(steps::kModelLoadFailedMessage) + "\n"));
  EXPECT_THAT(host.Messages()[0], HasSubstr("OPTION1N/QA1SibaTotalData"));
}

TEST(PredictionModel, AMissingProgramFolderIsSaidBeforeTheModel) {
  TempFolder folder("predict_model_");
  const std::string missing = folder.path() + "/gone/";
  RecordingHost host;
  engine::ReferenceModel model;
  const common::Status status = steps::LoadPredictionModel(common::RunStateFor(missing), model, host);
  EXPECT_FALSE(status.ok());
  EXPECT_THAT(status.ToString(), HasSubstr("プログラムフォルダ "));
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_THAT(host.Messages()[0], HasSubstr("プログラムフォルダ "));
  EXPECT_THAT(host.Messages()[0], ::testing::Not(HasSubstr("OPTION1N")));
}

}  // namespace
}  // namespace radadovur::testing
