#include "support/qt_app.h"
#include "ui/kouzoutai/kouzoutai_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <filesystem>

#include "support/store_fixture.h"
#include "steps/structure.h"
#include "support/recording_host.h"

namespace radadovur::testing {
namespace {

using KouzoutaiWindowTest = StoreFolder;

TEST_F(KouzoutaiWindowTest, LoadRunsTheStepAndCommand1OnlyCloses) {
  QtApp();
  RecordingHost main_window;
  QPointer<ui::KouzoutaiWindow> window = ui::OpenKouzoutaiWindow(common::RunStateFor(app_), main_window, nullptr);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->objectName(), "KOUZOUTAIAZ");
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Ver.2024.8.12A　構造体"));
  EXPECT_EQ(window->text1()->text().toStdString(), std::string(steps::kStructureWindowText));
  EXPECT_EQ(window->command1()->text(), QString::fromUtf8("構造体処理終了"));
  EXPECT_EQ(main_window.LastText(common::StatusSlot::kMainText4), "構造体処理終了  0");
  EXPECT_TRUE(window->isVisible());

  EXPECT_TRUE(SaveScreenshot(*window, "KOUZOUTAIAZ"));

  const auto files = FolderFiles();
  const auto events = main_window.events.size();
  window->command1()->click();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());  // closed and gone
  EXPECT_EQ(FolderFiles(), files);
  EXPECT_EQ(main_window.events.size(), events);
}

// After a failed processing button ② opens no window: its message listed the failures.
TEST_F(KouzoutaiWindowTest, AFailedProcessingOpensNoWindow) {
  QtApp();
  RecordingHost main_window;
  std::filesystem::remove_all(Path("SETHISWEEKNNEW.dat"));
  std::filesystem::create_directories(Path("SETHISWEEKNNEW.dat"));  // no runner file can be written
  EXPECT_EQ(ui::OpenKouzoutaiWindow(common::RunStateFor(app_), main_window, nullptr), nullptr);
  EXPECT_EQ(main_window.LastText(common::StatusSlot::kMainText4), std::string(steps::kStructureFailedText));
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "KOUZOUTAIAZ");
}

TEST_F(KouzoutaiWindowTest, EveryOpeningIsANewWindow) {
  QtApp();
  RecordingHost main_window;
  QPointer<ui::KouzoutaiWindow> first = ui::OpenKouzoutaiWindow(common::RunStateFor(app_), main_window, nullptr);
  QPointer<ui::KouzoutaiWindow> second = ui::OpenKouzoutaiWindow(common::RunStateFor(app_), main_window, nullptr);
  EXPECT_NE(first.data(), second.data());
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(main_window.TextsOf(common::StatusSlot::kMainText4).size(), 4u);  // start and end text twice
  first->close();
  second->close();
}

}  // namespace
}  // namespace radadovur::testing
