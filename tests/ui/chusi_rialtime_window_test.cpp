#include "ui/chusi/chusi_rialtime_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text_file.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <memory>

#include "steps/cancellation.h"
#include "support/qt_app.h"
#include "support/recording_host.h"
#include "support/scripted_jv_link.h"
#include "support/store_fixture.h"
#include "support/week_record.h"

namespace radadovur::testing {
namespace {

using ChusiRialtimeWindowTest = StoreFolder;

TEST_F(ChusiRialtimeWindowTest, LoadRunsTheProcessingAndCommand1ClosesOnlyThisWindow) {
  QtApp();
  MarkStepsFinished(app_, steps::WeekStep::kStructure);
  for (const char* name : {"RATHISWEEKNNEW.dat", "RATHISWEEKNNEWd.dat"})
    Put(name, {Race({"1", "20240801", "20240803", "05", "01", "cat1"}), Race({"2", "20240801", "20240803", "05", "02", "cat2"})});
  for (const char* name : {"SETHISWEEKNNEW.dat", "SETHISWEEKNNEWd.dat", "KETTONUMTHISWEEKN.dat"}) Put(name, {});
  auto link = std::make_unique<ScriptedJvLink>();
  ScriptedJvLink* jv_link = link.get();
  RecordingHost main_window;
  QWidget other;  // another window that stays open
  other.setObjectName("KOUZOUTAIAZ");
  other.show();

  QPointer<ui::ChusiRialtimeWindow> window = new ui::ChusiRialtimeWindow(std::move(link));
  window->setAttribute(Qt::WA_DeleteOnClose);
  EXPECT_EQ(window->text1()->text(), "Text1");
  window->Load(common::RunStateFor(app_), main_window);
  window->show();
  EXPECT_EQ(window->objectName(), "CHUSIRIALTIME");
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("中止処理 Ver.2024.6.29Z"));
  EXPECT_EQ(window->text1()->text().toStdString(), std::string(steps::kCancellationEndText));
  EXPECT_EQ(window->text1()->objectName(), "Text1");
  EXPECT_EQ(window->command1()->objectName(), "Command1");
  EXPECT_EQ(window->command1()->text(), QString::fromUtf8("触れないで"));
  EXPECT_TRUE(window->failures().empty());
  EXPECT_THAT(jv_link->calls, ::testing::Contains("JVRTOpen 0B12 20240803"));  // its own JV-Link
  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ::testing::ElementsAre("cat2"));

  EXPECT_TRUE(SaveScreenshot(*window, "CHUSIRIALTIME"));

  const auto files = FolderFiles();
  window->command1()->click();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(other.isVisible());
  EXPECT_EQ(FolderFiles(), files);
}

TEST_F(ChusiRialtimeWindowTest, AFailureShowsWhatFailedInsteadOfTheEndText) {
  QtApp();
  MarkStepsFinished(app_, steps::WeekStep::kStructure);
  // Step ②'s working copies and horse list are there; the race file cannot be read.
  for (const char* name : {"RATHISWEEKNNEWd.dat", "SETHISWEEKNNEWd.dat", "KETTONUMTHISWEEKN.dat"})
    ASSERT_TRUE(common::WriteFileAtomic(Path(name), "").ok());
  std::filesystem::create_directory(Path("RATHISWEEKNNEW.dat"));
  RecordingHost main_window;
  ui::ChusiRialtimeWindow window(std::make_unique<ScriptedJvLink>());
  window.Load(common::RunStateFor(app_), main_window);
  const std::string text = window.text1()->text().toStdString();
  EXPECT_THAT(text, ::testing::StartsWith(std::string(steps::kCancellationFailedText)));
  EXPECT_THAT(text, ::testing::HasSubstr("RATHISWEEKNNEW.dat"));
  EXPECT_THAT(main_window.Messages(), ::testing::ElementsAre(::testing::HasSubstr("RATHISWEEKNNEW.dat")));
  EXPECT_FALSE(window.failures().empty());
  window.resize(640, 110);
  EXPECT_TRUE(SaveScreenshot(window, "CHUSIRIALTIME_failed"));
}

}  // namespace
}  // namespace radadovur::testing
