// The pacing of what a running step shows: a clock moved by hand for what shows when, and the
// main window running a step that writes as fast as it can for the last text and value.
#include "ui/screen_pacer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>
#include <functional>
#include <string>

#include "jvlink/null_jv_link.h"
#include "support/qt_app.h"
#include "ui/main/main_window.h"
#include "ui/quiet_main_window.h"
#include "ui/window_host.h"

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

// Closes the next message box of the program once it is up, after `seen` has looked at the
// windows behind it. The real boxes are used: a window that records its messages instead would
// not show whether the kept texts reached the screen before the box.
class NextBox {
 public:
  explicit NextBox(std::function<void()> seen) : seen_(std::move(seen)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      timer_.stop();
      seen_();
      ++closed;
      box->done(QMessageBox::Yes);
    });
    timer_.start(5);
  }
  int closed = 0;

 private:
  std::function<void()> seen_;
  QTimer timer_;
};

// A window that runs its own steps, as the odds window does, with its status box Text1.
class OwnStepsWindow : public QWidget, public WindowHost {
 public:
  OwnStepsWindow() : WindowHost(static_cast<QWidget&>(*this)) {
    setObjectName("VLTFOTHISWEEKNAZ");
    text = new QLineEdit(this);
    text->setObjectName("Text1");
  }
  void SetButtonsEnabled(bool) override {}
  void Run(const std::function<void()>& work) { RunOwnStep(work); }
  QLineEdit* text;
};

// The boxes a step shows, each called on the host with a text.
const std::pair<const char*, std::function<void(common::StepHost&)>> kBoxes[] = {
    {"message", [](common::StepHost& h) { h.Message("box"); }},
    {"failure list", [](common::StepHost& h) { h.FailureMessage(common::MakeFailureReport("box", {})); }},
    {"question", [](common::StepHost& h) { h.Ask("box?"); }},
};

// A step sets two texts at once (the second is kept back) and then shows a box: the box comes
// up over the second text, in the main window and in a window that runs its own steps.
TEST(ScreenPacerWindows, ABoxShowsOverTheStepsLastText) {
  testing::QtApp();
  jvlink::NullJvLink link;
  MainWindow main("/nonexistent/", link);
  main.show();
  auto* main_text = main.findChild<QLineEdit*>("Text1");
  OwnStepsWindow own;
  own.show();
  for (const auto& [what, box] : kBoxes) {
    SCOPED_TRACE(what);
    std::string behind;
    NextBox next([&] { behind = main_text->text().toStdString(); });
    main.RunStep([&] {
      main.SetStatus(common::StatusSlot::kMainText1, std::string("start ") + what);
      main.SetStatus(common::StatusSlot::kMainText1, std::string("before ") + what);
      box(main);
    });
    EXPECT_EQ(next.closed, 1);
    EXPECT_EQ(behind, std::string("before ") + what);

    NextBox own_next([&] { behind = own.text->text().toStdString(); });
    own.Run([&] {
      own.SetStatus(common::StatusSlot::kOddsText1, std::string("start ") + what);
      own.SetStatus(common::StatusSlot::kOddsText1, std::string("before ") + what);
      box(own);
    });
    EXPECT_EQ(own_next.closed, 1);
    EXPECT_EQ(behind, std::string("before ") + what);
  }
}

// A window that runs its own steps through the main window paces what its step shows and shows
// the step's last text when the step ends.
TEST(ScreenPacerWindows, AWindowsOwnStepEndsWithItsLastTextShown) {
  testing::QtApp();
  jvlink::NullJvLink link;
  MainWindow main("/nonexistent/", link);
  OwnStepsWindow own;
  own.SetStepRunner([&main](const std::function<void()>& work) { main.RunStep(work); });
  own.show();
  int shown = 0;
  QObject::connect(own.text, &QLineEdit::textChanged, [&shown] { ++shown; });
  own.Run([&] {
    for (int i = 1; i <= 1000; ++i) own.SetStatus(common::StatusSlot::kOddsText1, std::to_string(i));
  });
  EXPECT_EQ(own.text->text().toStdString(), "1000");
  EXPECT_LT(shown, 1000);  // held back, unless each text took an interval
}

}  // namespace
}  // namespace radadovur::ui
