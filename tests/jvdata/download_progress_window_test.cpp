#include "support/qt_app.h"
#include "jvdata/download_progress_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

#include "jvdata/scripted_jv_link.h"
#include "support/recording_ui.h"

namespace radadovur {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingUi;
using testing::ScriptedJvLink;

// Remembers whether the dialog's timer was still running when a message was shown.
class TimerWatchingUi : public RecordingUi {
 public:
  QTimer* timer = nullptr;
  bool timer_active_at_message = false;
  void Message(const std::string& text) override {
    timer_active_at_message = timer && timer->isActive();
    RecordingUi::Message(text);
  }
};

class DownloadProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::QtApp(); }

  // Shows the dialog modally; `during` runs once it is up. A dialog that never closes is
  // closed after five seconds, which the tests see as a wrong result.
  int16_t Show(DownloadProgressWindow& dialog, std::function<void()> during = {}) {
    if (during) QTimer::singleShot(50, &dialog, during);
    QTimer::singleShot(5000, &dialog, [&dialog] {
      ADD_FAILURE() << "the dialog did not close";
      dialog.done(QDialog::Rejected);
    });
    dialog.exec();
    return dialog.dialog_result();
  }
  int Count(const std::string& call) const { return static_cast<int>(std::count(link_.calls.begin(), link_.calls.end(), call)); }

  ScriptedJvLink link_;
  TimerWatchingUi ui_;
};

TEST_F(DownloadProgressWindowTest, ClosesWhenEveryFileIsThere) {
  link_.statuses = {0, 1, 1, 2, 3, 3};
  DownloadProgressWindow dialog(link_, 3, ui_);

  EXPECT_EQ(dialog.objectName(), "VLTF2THISWEEKNAZ");
  EXPECT_EQ(dialog.windowTitle().toStdString(), "VLTF2THISWEEKN:ダウンロード 2024.8.12A");
  auto* bar = dialog.findChild<QProgressBar*>("ProgressBar1");
  auto* label = dialog.findChild<QLabel*>("Label1");
  auto* button = dialog.findChild<QPushButton*>("Command1");
  auto* timer = dialog.findChild<QTimer*>("Timer1");
  ASSERT_TRUE(bar && label && button && timer);
  EXPECT_EQ(button->text().toStdString(), "キャンセル");
  EXPECT_EQ(timer->interval(), 10);
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 3);

  EXPECT_EQ(Show(dialog), kDownloadDone);

  EXPECT_EQ(link_.status_calls, 5);
  EXPECT_EQ(bar->value(), 3);
  EXPECT_EQ(label->text().toStdString(), "3 / 3");
  EXPECT_FALSE(timer->isActive());
  EXPECT_THAT(link_.calls, IsEmpty());
  EXPECT_THAT(ui_.Messages(), IsEmpty());
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
    DownloadProgressWindow dialog(link_, 3, ui_);

    EXPECT_EQ(Show(dialog, [&] { cancel(dialog); }), kDownloadCancelled);

    EXPECT_THAT(link_.calls, ElementsAre("JVCancel"));
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text().toStdString(), "1 / 3");
    EXPECT_FALSE(dialog.findChild<QTimer*>("Timer1")->isActive());
  }
  EXPECT_THAT(ui_.Messages(), IsEmpty());
}

TEST_F(DownloadProgressWindowTest, FailedDownloadIsToldAndLeavesTheResultDone) {
  link_.statuses = {0, 1, -1};
  DownloadProgressWindow dialog(link_, 3, ui_);
  ui_.timer = dialog.findChild<QTimer*>("Timer1");

  EXPECT_EQ(Show(dialog), kDownloadDone);

  EXPECT_THAT(ui_.Messages(), ElementsAre("ダウンロード失敗。RC=-1"));
  EXPECT_FALSE(ui_.timer_active_at_message);
  EXPECT_EQ(link_.status_calls, 3);
  EXPECT_EQ(Count("JVCancel"), 0);
}

TEST_F(DownloadProgressWindowTest, HostShowsANewDialogForEachDownload) {
  DownloadProgressDialogHost host(ui_, nullptr);
  link_.statuses = {2};
  EXPECT_EQ(host.ShowDownloadProgress(link_, 2), kDownloadDone);
  link_ = ScriptedJvLink{};
  link_.statuses = {4, 5};
  EXPECT_EQ(host.ShowDownloadProgress(link_, 5), kDownloadDone);
  EXPECT_EQ(link_.status_calls, 2);
}

// Renders the dialog part way through a download, for a look at its texts.
TEST_F(DownloadProgressWindowTest, RendersPartWayThrough) {
  link_.statuses = {7};
  DownloadProgressWindow dialog(link_, 12, ui_);
  dialog.show();
  auto* label = dialog.findChild<QLabel*>("Label1");
  QElapsedTimer waited;
  waited.start();
  while (label->text().isEmpty() && waited.elapsed() < 2000)
    QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
  EXPECT_EQ(label->text().toStdString(), "7 / 12");
  const QImage image = dialog.grab().toImage();
  EXPECT_FALSE(image.isNull());
  EXPECT_TRUE(testing::SaveScreenshot(dialog, "VLTF2THISWEEKNAZ"));
  dialog.reject();
  EXPECT_EQ(dialog.dialog_result(), kDownloadCancelled);
}

}  // namespace
}  // namespace radadovur
