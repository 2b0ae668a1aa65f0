// The download progress dialog VLTF2THISWEEKNAZ as the main window shows it while step ①
// waits for files: opened by the step's progress, driven by its polls, cancelled by the user.
#include "ui/download/download_progress_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>

#include "jvlink/null_jv_link.h"
#include "steps/download_progress.h"
#include "support/qt_app.h"
#include "support/scripted_jv_link.h"
#include "ui/quiet_main_window.h"

namespace radadovur::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::ScriptedJvLink;

// Remembers whether the dialog was still polling (a JVStatus came after the message) and
// whether it was open when a message was shown.
class WatchingMainWindow : public testing::QuietMainWindow {
 public:
  using QuietMainWindow::QuietMainWindow;
  ScriptedJvLink* link = nullptr;
  int status_calls_at_message = -1;
  void Message(const std::string& text) override {
    if (link) status_calls_at_message = link->status_calls;
    QuietMainWindow::Message(text);
  }
};

class DownloadProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::QtApp();
    window_ = std::make_unique<WatchingMainWindow>("/nonexistent/", main_link_);
    window_->link = &link_;
  }

  // Runs the step's wait with the main window as its host; `during` runs once the dialog is up.
  int Wait(int64_t count, std::function<void(DownloadProgressWindow&)> during = {}) {
    if (during)
      QTimer::singleShot(50, window_.get(), [this, during] {
        if (auto* dialog = Dialog()) during(*dialog);
      });
    return steps::WaitForDownload(link_, count, *window_, std::chrono::milliseconds(10));
  }
  DownloadProgressWindow* Dialog() const {
    return window_->findChild<DownloadProgressWindow*>("VLTF2THISWEEKNAZ");
  }
  int Count(const std::string& call) const {
    return static_cast<int>(std::count(link_.calls.begin(), link_.calls.end(), call));
  }

  ScriptedJvLink link_;
  jvlink::NullJvLink main_link_;
  std::unique_ptr<WatchingMainWindow> window_;  // made once the application is there
};

TEST_F(DownloadProgressWindowTest, ClosesWhenEveryFileIsThere) {
  link_.statuses = {0, 1, 1, 2, 3, 3};
  QProgressBar* bar = nullptr;
  QLabel* label = nullptr;
  bool checked = false;
  // Looks at the dialog at its first repaint.
  QTimer::singleShot(0, window_.get(), [&] {
    auto* dialog = Dialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "VLTF2THISWEEKN:ダウンロード 2024.8.12A");
    EXPECT_TRUE(dialog->isModal());
    bar = dialog->findChild<QProgressBar*>("ProgressBar1");
    label = dialog->findChild<QLabel*>("Label1");
    auto* button = dialog->findChild<QPushButton*>("Command1");
    ASSERT_TRUE(bar && label && button);
    EXPECT_EQ(button->text().toStdString(), "キャンセル");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 3);
    checked = true;
  });

  EXPECT_EQ(Wait(3), common::kDownloadDone);

  EXPECT_TRUE(checked);
  EXPECT_EQ(link_.status_calls, 5);
  EXPECT_THAT(link_.calls, IsEmpty());
  EXPECT_THAT(window_->messages, IsEmpty());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Dialog(), nullptr);  // closed and gone
}

TEST_F(DownloadProgressWindowTest, CancelButtonAndCloseBoxCancelTheDownload) {
  const std::vector<std::pair<const char*, std::function<void(DownloadProgressWindow&)>>> ways = {
      {"button", [](DownloadProgressWindow& d) { d.findChild<QPushButton*>("Command1")->click(); }},
      {"close box", [](DownloadProgressWindow& d) { d.close(); }},
  };
  for (const auto& [name, cancel] : ways) {
    SCOPED_TRACE(name);
    link_ = ScriptedJvLink{};
    link_.statuses = {1};
    std::string label_at_cancel;
    const auto cancel_and_look = [&, cancel = cancel](DownloadProgressWindow& d) {
      label_at_cancel = d.findChild<QLabel*>("Label1")->text().toStdString();
      cancel(d);
    };

    EXPECT_EQ(Wait(3, cancel_and_look), common::kDownloadCancelled);

    EXPECT_THAT(link_.calls, ElementsAre("JVCancel"));
    EXPECT_EQ(label_at_cancel, "1 / 3");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Dialog(), nullptr);
  }
  EXPECT_THAT(window_->messages, IsEmpty());
}

TEST_F(DownloadProgressWindowTest, FailedDownloadIsToldAndLeavesTheResultDone) {
  link_.statuses = {0, 1, -1};

  EXPECT_EQ(Wait(3), common::kDownloadDone);

  EXPECT_THAT(window_->messages, ElementsAre("ダウンロード失敗。RC=-1"));
  EXPECT_EQ(window_->status_calls_at_message, 3);  // no poll while the message is up
  EXPECT_EQ(link_.status_calls, 3);
  EXPECT_EQ(Count("JVCancel"), 0);
}

TEST_F(DownloadProgressWindowTest, ANewDialogForEachDownload) {
  link_.statuses = {2};
  EXPECT_EQ(Wait(2), common::kDownloadDone);
  link_ = ScriptedJvLink{};
  link_.statuses = {4, 5};
  EXPECT_EQ(Wait(5), common::kDownloadDone);
  EXPECT_EQ(link_.status_calls, 2);
}

// Renders the dialog part way through a download, for a look at its texts.
TEST_F(DownloadProgressWindowTest, RendersPartWayThrough) {
  link_.statuses = {7};
  bool rendered = false;
  Wait(12, [&](DownloadProgressWindow& dialog) {
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text().toStdString(), "7 / 12");
    EXPECT_FALSE(dialog.grab().toImage().isNull());
    EXPECT_TRUE(testing::SaveScreenshot(dialog, "VLTF2THISWEEKNAZ"));
    rendered = true;
    dialog.reject();
  });
  EXPECT_TRUE(rendered);
}

}  // namespace
}  // namespace radadovur::ui
