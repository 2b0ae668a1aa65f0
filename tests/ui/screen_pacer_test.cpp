// The pacing of what a running step shows: a clock moved by hand for what shows when, and the
// main window running a step that writes as fast as it can for the last text and value.
#include "ui/screen_pacer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <string>

#include "jvlink/null_jv_link.h"
#include "support/qt_app.h"
#include "ui/quiet_main_window.h"

namespace radadovur::ui {
namespace {

using Clock = ScreenPacer::Clock;
using std::chrono::milliseconds;
using common::ProgressSlot;
using common::StatusSlot;

// A prediction window's text box and bar, and a clock that moves only when told.
class ScreenPacerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.setObjectName("VELTRANEXPDTHISWEEKNAZ");
    text_ = new QLineEdit(&window_);
    text_->setObjectName("Text3");
    bar_ = new QProgressBar(&window_);
    bar_->setObjectName("ProgressBar3");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    window_.show();
  }
  std::string Text() const { return text_->text().toStdString(); }
  // Whether a yield handled the window's events: a zero timer runs only then.
  bool HandlesEvents(ScreenPacer& pacer) {
    const int before = timers_run_;
    QTimer::singleShot(0, &window_, [this] { ++timers_run_; });
    pacer.Yield();
    const bool handled = timers_run_ > before;
    QCoreApplication::processEvents();  // the timer runs now if the yield held it back
    return handled;
  }

  QApplication& app_ = testing::QtApp();  // before the window
  QWidget window_;
  QLineEdit* text_;
  QProgressBar* bar_;
  int timers_run_ = 0;
  Clock::time_point now_ = Clock::time_point(std::chrono::hours(1));
  ScreenPacer pacer_{window_, [this] { return now_; }};
};

TEST_F(ScreenPacerTest, WithinAStepTextsAndValuesShowAtMostOncePerInterval) {
  {
    ScreenPacer::Step step(pacer_);
    pacer_.SetStatus(StatusSlot::kPredictText3, "start");  // a step's first text is not held back
    EXPECT_EQ(Text(), "start");
    pacer_.SetStatus(StatusSlot::kPredictText3, "1 horse");
    pacer_.SetProgress(ProgressSlot::kPredictProgressBar3, 10);
    EXPECT_EQ(Text(), "start");
    EXPECT_EQ(bar_->value(), 0);
    now_ += milliseconds(39);
    pacer_.SetStatus(StatusSlot::kPredictText3, "2 horse");
    EXPECT_EQ(Text(), "start");
    now_ += milliseconds(1);  // an interval after the start text: the newest of each shows
    pacer_.SetProgress(ProgressSlot::kPredictProgressBar3, 20);
    EXPECT_EQ(Text(), "2 horse");
    EXPECT_EQ(bar_->value(), 20);
    pacer_.SetStatus(StatusSlot::kPredictText3, "3 horse");
    pacer_.SetProgress(ProgressSlot::kPredictProgressBar3, 30);
    pacer_.ShowKept();  // as before a message box
    EXPECT_EQ(Text(), "3 horse");
    EXPECT_EQ(bar_->value(), 30);
    pacer_.SetStatus(StatusSlot::kPredictText3, "end");
    pacer_.SetProgress(ProgressSlot::kPredictProgressBar3, 100);
    EXPECT_EQ(Text(), "3 horse");
  }
  // The step's end shows its last text and value.
  EXPECT_EQ(Text(), "end");
  EXPECT_EQ(bar_->value(), 100);
  // Outside a step everything shows at once.
  pacer_.SetStatus(StatusSlot::kPredictText3, "a");
  pacer_.SetStatus(StatusSlot::kPredictText3, "b");
  EXPECT_EQ(Text(), "b");
}

TEST_F(ScreenPacerTest, AYieldHandlesEventsAtMostOncePerIntervalAndShowsWhatIsKept) {
  EXPECT_TRUE(HandlesEvents(pacer_));  // outside a step, every time
  EXPECT_TRUE(HandlesEvents(pacer_));
  ScreenPacer::Step step(pacer_);
  EXPECT_TRUE(HandlesEvents(pacer_));  // a step's first yield
  pacer_.SetStatus(StatusSlot::kPredictText3, "1 horse");
  EXPECT_FALSE(HandlesEvents(pacer_));
  EXPECT_EQ(Text(), "");
  now_ += milliseconds(40);
  EXPECT_TRUE(HandlesEvents(pacer_));
  EXPECT_EQ(Text(), "1 horse");
  pacer_.SetStatus(StatusSlot::kPredictText3, "2 horse");  // the yield just showed the texts
  EXPECT_EQ(Text(), "1 horse");
  {
    ScreenPacer::Step inner(pacer_);  // a step inside a step changes nothing
    EXPECT_FALSE(HandlesEvents(pacer_));
  }
  EXPECT_EQ(Text(), "1 horse");
}

// A step that writes a text and a value and yields for each of 20000 items, on the real clock:
// whatever was held back, the window shows the last of each once the step has ended.
TEST(ScreenPacerWindows, AStepOfTheMainWindowEndsWithItsLastTextAndValueShown) {
  testing::QtApp();
  jvlink::NullJvLink link;
  testing::QuietMainWindow window("/nonexistent/", link);
  window.show();
  QWidget prediction(&window, Qt::Window);  // the bars of ⑤ are a prediction window's
  prediction.setObjectName("VELTRANEXPDTHISWEEKNAZ");
  auto* bar = new QProgressBar(&prediction);
  bar->setObjectName("ProgressBar4");
  bar->setRange(0, 20000);
  prediction.show();
  int yields_handled = 0;
  window.SetDownloadAction([&](MainWindow& w) {
    for (int i = 1; i <= 20000; ++i) {
      w.SetStatus(StatusSlot::kMainText1, std::to_string(i) + " horse");
      w.SetProgress(ProgressSlot::kPredictProgressBar4, i);
      QTimer::singleShot(0, &window, [&] { ++yields_handled; });
      w.Yield();
    }
  });
  window.findChild<QAbstractButton*>("Command2")->click();
  const int handled = yields_handled;
  QCoreApplication::processEvents();  // the timers the yields held back
  EXPECT_EQ(window.findChild<QLineEdit*>("Text1")->text().toStdString(), "20000 horse");
  EXPECT_EQ(bar->value(), 20000);
  EXPECT_GE(handled, 1);
  EXPECT_LT(handled, 20000);  // held back, unless each item took an interval
}

}  // namespace
}  // namespace radadovur::ui
