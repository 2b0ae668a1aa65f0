// The prediction window VELTRANEXPDTHISWEEKNAZ on the demo week after ① and ②: its controls,
// steps ④ and ⑤ by their buttons, the model it loads, and the main window's button ③.
#include "ui/predict/predict_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "common/names.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "jvlink/replay_jv_link.h"
#include "steps/predict.h"
#include "support/qt_app.h"
#include "support/run_cli.h"
#include "ui/main/workflow_steps.h"
#include "ui/quiet_main_window.h"
#include "support/data_names.h"
#include "support/week_record.h"

namespace radadovur::ui {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The window with its message boxes recorded instead of shown.
class QuietPredictWindow : public PredictWindow {
 public:
  using PredictWindow::PredictWindow;
  void Message(const std::string& text) override { messages.push_back(text); }
  void FailureMessage(const common::FailureReport& report) override { Message(report.Text()); }
  std::vector<std::string> messages;
};

class PredictWindowTest : public ::testing::Test {
 protected:
  // One demo week after ① ② and ④ for every test of the suite.
  static void SetUpTestSuite() {
    base_ = std::filesystem::temp_directory_path() / ("rdv_predict_window_" + std::to_string(::getpid()));
    std::filesystem::remove_all(base_);
    ::setenv("XDG_CONFIG_HOME", (base_ / "config").c_str(), 1);
    app_ = (base_ / "week").string() + "/";
    for (const std::string step : {"demo", "startup", "download", "structure", "daybefore"})
      ASSERT_EQ(testing::RunCli(step + " '" + app_ + "'").exit_code, 0) << step;
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(base_); }
  void SetUp() override { testing::QtApp(); }

  static std::string Text(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name)->text().toStdString(); }
  static int Bar(QWidget& w, const char* name) { return w.findChild<QProgressBar*>(name)->value(); }
  static QPushButton* Button(QWidget& w, const char* name) { return w.findChild<QPushButton*>(name); }

  static inline std::filesystem::path base_;
  static inline std::string app_;
};

TEST_F(PredictWindowTest, ControlsThenStepsFourAndFiveByTheirButtons) {
  const common::RunState state = common::RunStateFor(app_);
  QuietPredictWindow window(state);
  window.Load();
  EXPECT_TRUE(window.ModelLoaded());
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.objectName(), "VELTRANEXPDTHISWEEKNAZ");
  EXPECT_EQ(window.windowTitle().toStdString(), "拡大構造体展開　Ver.2024.8.12AZ");
  struct Control {
    const char* name;
    const char* kind;
    std::string text;
  } controls[] = {
      {"Command3", "QPushButton", "④　　　　　　　前日固定"},
      {"Command1", "QPushButton", "⑤　計算(約１0分）"},
      {"Command2", "QPushButton", "拡大構造体処理終了"},
      {"Text1", "QLineEdit", "Text1"},
      {"Text3", "QLineEdit", "Text3"},
      {"Text2", "QLineEdit", "Text2"},
      {"ProgressBar1", "QProgressBar", "0"},
      {"ProgressBar3", "QProgressBar", "0"},
      {"ProgressBar4", "QProgressBar", "0"},
      {"Label4", "QLabel", "拡大構造体にレース・騎手・繁殖馬・過去走の上がり･ペース･走破速度を組み込む"},
      {"Label2", "QLabel", "天候･馬場状態並びに馬体重が不明な場合、晴・良・前走馬体重、初440KGに設定"},
      {"Label1", "QLabel", ""},
  };
  for (const auto& c : controls) {
    QWidget* w = window.findChild<QWidget*>(c.name);
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_TRUE(w->inherits(c.kind)) << c.name;
    std::string text;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text().toStdString();
    if (auto* e = qobject_cast<QLineEdit*>(w)) text = e->text().toStdString();
    if (auto* l = qobject_cast<QLabel*>(w)) text = l->text().toStdString();
    if (auto* p = qobject_cast<QProgressBar*>(w)) {
      text = std::to_string(p->value());
      EXPECT_EQ(p->maximum(), 100) << c.name;
    }
    EXPECT_EQ(text, c.text) << c.name;
  }

  Button(window, "Command3")->click();
  EXPECT_EQ(Text(window, "Text1"), "前日固定終了");
  EXPECT_EQ(Text(window, "Text3"), "Text3");
  EXPECT_EQ(Bar(window, "ProgressBar1"), 100);

  Button(window, "Command1")->click();
  EXPECT_EQ(Text(window, "Text3"), "計算終了");
  EXPECT_TRUE(window.LastFailures().empty());
  EXPECT_EQ(Bar(window, "ProgressBar3"), 100);
  EXPECT_EQ(Bar(window, "ProgressBar4"), 100);
  const auto horses = common::ReadQuotedValues(app_ + std::string(common::names::kKettoNumList));
  ASSERT_FALSE(horses.empty());
  EXPECT_GT(std::filesystem::file_size(app_ + ::radadovur::testing::NameOf(engine::UmagotoExFileName, horses.front())), 0u);
  for (QPushButton* b : window.findChildren<QPushButton*>()) EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();

  window.show();
  EXPECT_TRUE(testing::SaveScreenshot(window, "VELTRANEXPDTHISWEEKNAZ"));
  Button(window, "Command2")->click();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(PredictWindowTest, WithoutTheModelFiveIsRefusedAndFourStillRuns) {
  const std::filesystem::path folder = base_ / "no_model";
  std::filesystem::create_directories(folder / "OPTION1N");
  const common::RunState state = common::RunStateFor(folder.string());
  QuietPredictWindow window(state);
  window.Load();
  EXPECT_FALSE(window.ModelLoaded());
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_THAT(window.messages[0], StartsWith(std::string(steps::kModelLoadFailedMessage)));
  EXPECT_THAT(window.messages[0], HasSubstr("OPTION1N/QA1SibaTotalData"));

  Button(window, "Command1")->click();
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_THAT(window.messages[1], StartsWith(std::string(steps::kPredictRefusedMessage)));
  EXPECT_EQ(Text(window, "Text3"), "Text3");
  EXPECT_FALSE(std::filesystem::exists(folder / "OPTION1N" / "KYOSOBATHISWEEK.dat"));

  // ④ on step ②'s (empty) files.
  testing::MarkStepsFinished(state.AppPath, steps::WeekStep::kStructure);
  for (const char* name : {"KETTONUMTHISWEEKN.dat", "RATHISWEEKNNEW.dat"})
    ASSERT_TRUE(common::WriteFileAtomic((folder / name).string(), "").ok());
  Button(window, "Command3")->click();
  EXPECT_EQ(Text(window, "Text1"), "前日固定終了");
}

// A model file with one damaged line (here a category code's opening quote lost): the window
// says so when it loads, naming the file and the line, and ⑤ is refused.
TEST_F(PredictWindowTest, ADamagedModelLineIsNamedWhenTheWindowLoads) {
  const std::string codes = app_ + "OPTION1N/SibaItemCategory201801N2024.dat";
  const std::string sound = common::ReadWholeFile(codes).value();
  const size_t third = sound.find('\n', sound.find('\n') + 1) + 1;
  ASSERT_TRUE(common::WriteFileAtomic(codes, std::string(sound).erase(third, 1)).ok());
  const common::RunState state = common::RunStateFor(app_);
  QuietPredictWindow window(state);
  window.Load();
  ASSERT_TRUE(common::WriteFileAtomic(codes, sound).ok());
  EXPECT_FALSE(window.ModelLoaded());
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_THAT(window.messages[0], StartsWith(std::string(steps::kModelLoadFailedMessage)));
  EXPECT_THAT(window.messages[0], HasSubstr(codes + " の 3 行目が壊れています: 1 番目の項目に対になっていない引用符があります"));
  Button(window, "Command1")->click();
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_THAT(window.messages[1], StartsWith(std::string(steps::kPredictRefusedMessage)));
}

// Button ③ makes a new window on every click; while one runs a step, no button of the main
// window or of any prediction window can start another, and the running one does not close.
TEST_F(PredictWindowTest, ButtonThreeOpensANewWindowAndStepsLockTheOtherButtons) {
  jvlink::ReplayJvLink link(app_ + "JVDATA");
  testing::QuietMainWindow main_window(app_, link);
  ConnectWorkflowSteps(main_window);
  main_window.findChild<QAbstractButton*>("Command6")->click();
  main_window.findChild<QAbstractButton*>("Command6")->click();
  std::vector<PredictWindow*> windows;
  for (auto* w : main_window.findChildren<PredictWindow*>()) windows.push_back(w);
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_TRUE(windows[0]->isVisible());
  EXPECT_TRUE(windows[1]->isVisible());
  EXPECT_TRUE(windows[1]->ModelLoaded());
  EXPECT_TRUE(main_window.messages.empty());

  QPointer<PredictWindow> running = windows[1];
  std::map<std::string, bool> enabled;
  bool checked = false;
  QTimer::singleShot(0, [&] {  // runs at the step's first yield
    checked = true;
    enabled["main Command2"] = main_window.findChild<QAbstractButton*>("Command2")->isEnabled();
    enabled["main Command6"] = main_window.findChild<QAbstractButton*>("Command6")->isEnabled();
    for (const char* name : {"Command1", "Command2", "Command3"}) {
      enabled[std::string("running ") + name] = Button(*running, name)->isEnabled();
      enabled[std::string("other ") + name] = Button(*windows[0], name)->isEnabled();
    }
    EXPECT_TRUE(running->StepRunning());
    running->close();  // asks; the box closed below is no Yes, so the step goes on
  });
  // The demo week's stale entry is named in a message box at the end of ⑤: read and close it.
  std::string reported;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      reported = box->text().toStdString();
      box->accept();
    }
  });
  closer.start(10);
  Button(*running, "Command1")->click();
  closer.stop();
  EXPECT_THAT(reported, HasSubstr(std::string(steps::kStaleDroppedHeading)));
  ASSERT_TRUE(checked);
  for (const auto& [control, on] : enabled) EXPECT_FALSE(on) << control;
  ASSERT_TRUE(running);
  EXPECT_TRUE(running->isVisible());
  EXPECT_EQ(Text(*running, "Text3"), "計算終了");
  EXPECT_EQ(Text(*windows[0], "Text3"), "Text3");
  EXPECT_TRUE(main_window.findChild<QAbstractButton*>("Command2")->isEnabled());
  for (PredictWindow* w : windows)
    for (const char* name : {"Command1", "Command2", "Command3"}) EXPECT_TRUE(Button(*w, name)->isEnabled()) << name;
  for (PredictWindow* w : windows) w->close();
}

// The main window of a test: a test process has no program to end.
class StayingMainWindow : public testing::QuietMainWindow {
 public:
  using QuietMainWindow::QuietMainWindow;

 protected:
  void EndProgram() override {}
};

// Closing the main window or the prediction window while ⑤ runs asks in a real box (answered by a
// timer with Yes); ⑤ then stops before its next horse, says so, is not finished in the week's
// record, and the closed window closes. The close comes at ⑤'s first yield, before its first horse.
TEST_F(PredictWindowTest, ClosingAWindowWhileFiveRunsAsksAndYesStopsFiveNotFinished) {
  for (const bool close_main : {true, false}) {
    SCOPED_TRACE(close_main ? "main window" : "prediction window");
    jvlink::ReplayJvLink link(app_ + "JVDATA");
    StayingMainWindow main_window(app_, link);
    ConnectWorkflowSteps(main_window);
    main_window.show();
    main_window.findChild<QAbstractButton*>("Command6")->click();
    QPointer<PredictWindow> window = main_window.findChild<PredictWindow*>();
    ASSERT_TRUE(window);
    std::string asked;
    QTimer::singleShot(0, [&] {
      testing::AnswerNextBox(QMessageBox::Yes, asked);  // in the question's own event loop
      if (close_main)
        main_window.close();
      else
        window->close();
    });
    Button(*window, "Command1")->click();
    EXPECT_EQ(asked, "処理中です。中止しますか？");
    EXPECT_EQ(main_window.isVisible(), !close_main);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->isVisible(), close_main);
    EXPECT_EQ(Text(*window, "Text3"), steps::kPredictCancelledText);
    EXPECT_TRUE(window->LastFailures().stopped);
    if (close_main) {
      EXPECT_TRUE(testing::SaveScreenshot(*window, "VELTRANEXPDTHISWEEKNAZ_stopped"));
    }
    EXPECT_TRUE(main_window.messages.empty());
    steps::WeekRecord record;
    ASSERT_TRUE(steps::ReadWeekRecord(app_, record).ok());
    EXPECT_FALSE(record.Finished(steps::WeekStep::kPredict));
    if (window) window->close();
  }
}

}  // namespace
}  // namespace radadovur::ui
