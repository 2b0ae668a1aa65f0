#include "ui/main/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <stdexcept>

#include "steps/model_package.h"
#include "jvlink/null_jv_link.h"
#include "support/program_folder.h"
#include "ui/qt_japanese.h"
#include "ui/quiet_main_window.h"
#include "support/qt_app.h"
#include "steps/startup.h"

// Leak checking (sanitizer builds): fontconfig keeps a cache for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace radadovur::ui {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

QApplication& App() { return testing::QtApp(); }

class SettingsJvLink : public jvlink::NullJvLink {
 public:
  int32_t JVSetUIProperties() override { return result; }
  int32_t result = 0;
};

// The main window with its message boxes, the end of the program and the browser recorded.
class TestWindow : public testing::QuietMainWindow {
 public:
  using QuietMainWindow::QuietMainWindow;
  bool ended = false;
  std::vector<std::string> pages;

 protected:
  void EndProgram() override { ended = true; }
  void OpenWebPage(const char* address) override { pages.push_back(address); }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    window_ = std::make_unique<TestWindow>(app_path_, jv_link_);
  }
  void TearDown() override { window_.reset(); }
  void Package() { folder_.Package(year_month_day{year(2024), month(7), day(29)}, 9, 5, 0); }
  QAbstractButton* Button(const char* name) {
    auto* button = window_->findChild<QAbstractButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return button;
  }
  QRadioButton* Option1() { return window_->findChild<QRadioButton*>("Option1"); }
  std::string Text(const char* name) {
    if (auto* box = window_->findChild<QLineEdit*>(name)) return box->text().toStdString();
    if (auto* label = window_->findChild<QLabel*>(name)) return label->text().toStdString();
    ADD_FAILURE() << "no control " << name;
    return {};
  }
  // Open windows (the main window's other windows) of the given name.
  int OpenWindows(const char* name) {
    int n = 0;
    for (auto* w : window_->findChildren<QWidget*>(name, Qt::FindDirectChildrenOnly))
      if (w->isWindow() && w->isVisible()) ++n;
    return n;
  }
  // A factory that counts its loads and keeps the order of events.
  MainWindow::WindowFactory Counting(const std::string& name, int& loads) {
    return [this, name, &loads](MainWindow&) {
      ++loads;
      order_.push_back(name);
      auto* w = new QWidget;
      w->setObjectName(QString::fromStdString(name));
      return w;
    };
  }
  static void DeleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  testing::ProgramFolder folder_;
  const std::string app_path_ = folder_.app_path();
  SettingsJvLink jv_link_;
  std::unique_ptr<TestWindow> window_;
  std::vector<std::string> order_;
};

// Every control with its caption and its group; the picture is saved for a look.
TEST_F(MainWindowTest, ShowsEveryControlInItsGroup) {
  Package();
  window_->Load(year_month_day{year(2024), month(8), day(12)});
  struct Control {
    const char* name;
    const char* caption;
    const char* group;  // title of the frame it sits in; "" for none
  };
  const Control controls[] = {
      {"Command1", "設定", ""},
      {"Command14", "回収率・的中率の検証ブログ", ""},
      {"Command16", "最新予想因子ウエイトへの更新サイト", ""},
      {"Command2", "①　　今週開催取得", "今週の予想  (金曜12時以降）"},
      {"Command4", "②　構造・中止処理", "今週の予想  (金曜12時以降）"},
      {"Command6", "③ 拡大構造体展開", "今週の予想  (金曜12時以降）"},
      {"Command11", "過去予想成績", "随時  (予想支援の参考として使用）"},
      {"Command15", "万馬券リスト", "随時  (予想支援の参考として使用）"},
      {"Command5", "芝予想因子ウエイト", "随時  (予想支援の参考として使用）"},
      {"Command9", "ダート予想因子ウエイト", "随時  (予想支援の参考として使用）"},
      {"Command10", "障害予想因子ウエイト", "随時  (予想支援の参考として使用）"},
      {"Option1", " 中止処理を選択。通常は何もしないでください。", ""},
      {"Command8", "⑥　***　予想・結果　***", "予想"},
      {"Command12", "Ⅰ　速報情報(一括）", "速報　（予想・結果表示後使用）"},
      {"Command13", "Ⅳ　速報処理(一括）", "速報　（予想・結果表示後使用）"},
      {"Command3", "今週オッズ取得", "今週のオッズ （月曜14時以降）"},
      {"Command7", "オッズ処理", "今週のオッズ （月曜14時以降）"},
  };
  for (const auto& c : controls) {
    auto* button = Button(c.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().toStdString(), c.caption) << c.name;
    auto* group = qobject_cast<QGroupBox*>(button->parentWidget());
    EXPECT_EQ(group ? group->title().toStdString() : std::string(), c.group) << c.name;
  }
  for (const char* box : {"Text1", "Text4", "Text5", "Text6"})
    EXPECT_EQ(qobject_cast<QGroupBox*>(window_->findChild<QLineEdit*>(box)->parentWidget()), nullptr) << box;
  EXPECT_EQ(qobject_cast<QGroupBox*>(window_->findChild<QLineEdit*>("Text3")->parentWidget())->title().toStdString(),
            "速報　（予想・結果表示後使用）");
  EXPECT_EQ(qobject_cast<QGroupBox*>(window_->findChild<QLineEdit*>("Text2")->parentWidget())->title().toStdString(),
            "今週のオッズ （月曜14時以降）");
  EXPECT_NE(window_->findChild<QWidget*>("Picture1"), nullptr);
  EXPECT_EQ(window_->objectName().toStdString(), "VLTF1THISWEEKNAZ");
  EXPECT_EQ(window_->windowTitle().toStdString(), "RADADOVUR 今週予想    Ver.2024.8.12A (2019.1.1-2024.7.29　BASE)");

  // The start-up wrote its texts into the window.
  EXPECT_EQ(Text("Label1"), steps::PackagePresentCaption("2024/07/29 9:05:00"));
  EXPECT_EQ(window_->findChild<QLabel*>("Label1")->palette().color(QPalette::Window), QColor(128, 255, 128));
  EXPECT_EQ(Text("Text2"), steps::kStartupReminder);
  EXPECT_TRUE(window_->messages.empty());
  EXPECT_TRUE(fs::is_directory(app_path_ + "KAIME"));

  window_->show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(testing::SaveScreenshot(*window_, "VLTF1THISWEEKNAZ"));
}

TEST_F(MainWindowTest, ResultsClearOption1AndTheNextStructureRunSkipsCancellation) {
  int results = 0, structure = 0;
  window_->SetWindowFactory("YOSOKEKKATHISWEEKNAZ", [&](MainWindow& w) {
    ++results;
    EXPECT_EQ(w.State().CancellationOption, results == 1);  // only the first run has Option1 selected
    return new QWidget;
  });
  window_->SetStructureAction([&](MainWindow&) { ++structure; });

  Option1()->click();
  ASSERT_TRUE(Option1()->isChecked());
  Option1()->click();  // a second click keeps it selected
  ASSERT_TRUE(Option1()->isChecked());
  Button("Command8")->click();
  EXPECT_EQ(results, 1);
  EXPECT_EQ(Text("Text5"), "予想･結果終了");
  EXPECT_FALSE(Option1()->isChecked());

  Button("Command4")->click();
  EXPECT_EQ(structure, 1);
  EXPECT_FALSE(window_->State().CancellationOption);
  Button("Command8")->click();
  EXPECT_EQ(results, 2);  // a new results window on every click
}

TEST_F(MainWindowTest, StructureTakesOption1AndOpensNoCancellationWindowOfItsOwn) {
  window_->SetStructureAction([&](MainWindow&) { order_.push_back("KOUZOUTAIAZ"); });
  Button("Command4")->click();
  EXPECT_EQ(order_, std::vector<std::string>{"KOUZOUTAIAZ"});
  EXPECT_EQ(OpenWindows("CHUSIRIALTIME"), 0);

  // The structure action gets the option; it opens the cancellation window only after a ② that
  // finished (the main window opens none of its own, not even a placeholder).
  Option1()->click();
  Button("Command4")->click();
  EXPECT_TRUE(window_->State().CancellationOption);
  EXPECT_EQ(order_, (std::vector<std::string>{"KOUZOUTAIAZ", "KOUZOUTAIAZ"}));
  EXPECT_EQ(OpenWindows("CHUSIRIALTIME"), 0);
  EXPECT_TRUE(Option1()->isChecked());
}

// A step that yields must not let the user start another one or end the program meanwhile.
TEST_F(MainWindowTest, WorkflowControlsAreDisabledWhileAStepRuns) {
  const char* controls[] = {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6",
                            "Command7", "Command8", "Command9", "Command10", "Command11", "Command12",
                            "Command13", "Command14", "Command15", "Command16", "Option1", "Picture1"};
  bool throws = false;
  int runs = 0;
  window_->SetDownloadAction([&](MainWindow& w) {
    ++runs;
    EXPECT_TRUE(w.StepRunning());
    w.Yield();
    for (const char* name : controls) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    Button("Command2")->click();  // ignored: disabled
    if (throws) throw std::runtime_error("disk full");
  });
  Button("Command2")->click();
  EXPECT_EQ(runs, 1);
  for (const char* name : controls) EXPECT_TRUE(Button(name)->isEnabled()) << name;

  throws = true;
  Button("Command2")->click();
  EXPECT_EQ(runs, 2);
  EXPECT_FALSE(window_->StepRunning());
  for (const char* name : controls) EXPECT_TRUE(Button(name)->isEnabled()) << name;
  ASSERT_EQ(window_->messages.size(), 1u);
  EXPECT_NE(window_->messages[0].find("disk full"), std::string::npos);
}

// Closing the window while a step runs asks in a real box, answered here by a timer. No: the step
// runs to its end and the window stays. Yes: the step is told to stop (it ends at its next look
// between two items) and the window closes once the step has ended. The step holds itself at a
// known point: the window is closed between its second and third item.
TEST_F(MainWindowTest, CloseWhileAStepRunsAsksAndOnYesStopsTheStepThenCloses) {
  const testing::QtJapanese japanese;  // the box's buttons as the program shows them
  struct Case {
    QMessageBox::StandardButton answer;
    int items_done;
    bool open_after;
  };
  for (const Case c : {Case{QMessageBox::No, 5, true}, Case{QMessageBox::Yes, 2, false}}) {
    SCOPED_TRACE(c.answer == QMessageBox::Yes ? "Yes" : "No");
    window_->show();
    std::string asked;
    int done = 0;
    bool open_while_running = false;
    window_->SetDownloadAction([&](MainWindow& w) {
      for (int item = 1; item <= 5 && !w.CancelRequested(); ++item) {
        ++done;
        if (item != 2) continue;
        testing::AnswerNextBox(c.answer, asked, "StopQuestion");  // in the question's own event loop
        w.close();
        open_while_running = w.isVisible();
      }
    });
    Button("Command2")->click();
    EXPECT_EQ(asked, "処理中です。中止しますか？");
    EXPECT_TRUE(open_while_running);
    EXPECT_EQ(done, c.items_done);
    EXPECT_EQ(window_->isVisible(), c.open_after);
    EXPECT_FALSE(window_->CancelRequested());  // the next step is not stopped
  }
  // Without a step the window closes at once, with no question.
  window_->show();
  window_->close();
  EXPECT_FALSE(window_->isVisible());
}

// A step turns the buttons off while it runs, the clicked one too: the focus it had must not move
// into a status box and leave that box's text selected once the step has ended.
TEST_F(MainWindowTest, AStepLeavesNoStatusBoxSelected) {
  window_->show();
  window_->activateWindow();
  QApplication::processEvents();
  const auto boxes = window_->findChildren<QLineEdit*>();
  ASSERT_FALSE(boxes.isEmpty());
  for (QLineEdit* box : boxes) box->setText(QString::fromUtf8("前の手順の表示"));
  window_->SetDownloadAction([](MainWindow& w) { w.SetStatus(common::StatusSlot::kMainText1, "今週開催取得終了"); });
  for (const char* name : {"Command2", "Command4"}) {
    SCOPED_TRACE(name);
    Button(name)->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(Button(name)->hasFocus());
    Button(name)->click();
    QApplication::processEvents();
    for (QLineEdit* box : boxes) EXPECT_FALSE(box->hasSelectedText()) << box->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, SingleWindowsLoadOnceWhileOpenAndAgainAfterClosing) {
  int loads = 0;
  window_->SetWindowFactory("KakoSeisekiAZ", [&](MainWindow&) {
    ++loads;
    EXPECT_EQ(Text("Text6"), "過去の予想成績を開始しました。しばらくお待ちください。。。。。。。");
    auto* w = new QWidget;
    w->setObjectName("KakoSeisekiAZ");
    return w;
  });
  Button("Command11")->click();
  EXPECT_EQ(Text("Text6"), "過去の予想成績終了");
  window_->SetStatus(common::StatusSlot::kMainText6, "");
  Button("Command11")->click();
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(Text("Text6"), "過去の予想成績終了");
  EXPECT_EQ(OpenWindows("KakoSeisekiAZ"), 1);

  window_->findChild<QWidget*>("KakoSeisekiAZ")->close();
  DeleteClosed();
  Button("Command11")->click();
  EXPECT_EQ(loads, 2);

  // Both odds buttons share the odds-matrix window and set the odds source before it.
  int matrix = 0;
  window_->SetWindowFactory("VELTRANODDSN", Counting("VELTRANODDSN", matrix));
  Button("Command13")->click();
  EXPECT_EQ(window_->State().OddsSource, 1);
  EXPECT_EQ(Text("Text3"), "速報オッズ処理終了");
  Button("Command7")->click();
  EXPECT_EQ(window_->State().OddsSource, 0);
  EXPECT_EQ(Text("Text2"), "今週のオッズ処理終了");
  EXPECT_EQ(matrix, 1);
}

TEST_F(MainWindowTest, ARefusedHistoryLoadEndsWithoutTheFinishedText) {
  // A load refused (another step holds the folder) builds no window and must not read as done.
  window_->SetWindowFactory("KakoSeisekiAZ", [](MainWindow&) -> QWidget* { return nullptr; });
  window_->SetWindowFactory("TekichuListAZ", [](MainWindow&) -> QWidget* { return nullptr; });
  Button("Command11")->click();
  EXPECT_EQ(Text("Text6"), "過去の予想成績は行いませんでした。");
  Button("Command15")->click();
  EXPECT_EQ(Text("Text6"), "過去の的中リストは行いませんでした。");
}

TEST_F(MainWindowTest, PlaceholderWindowsCarryTheirCaptions) {
  struct Case {
    const char* button;
    const char* window;
    const char* caption;
  };
  for (const Case& c : {Case{"Command11", "KakoSeisekiAZ", "過去の予想成績 Ver.2024.8.12A"},
                        Case{"Command15", "TekichuListAZ", "万馬券的中リスト　Ver.2024.8.12A"},
                        Case{"Command5", "FactorTURFA", "芝予想因子 Ver.2020.7.21  202001-202407"},
                        Case{"Command9", "FactorDIRTA", "ダート予想因子　Ver.2020.7.21 202001-202407"},
                        Case{"Command10", "FactorHURDA", "障害予想因子　Ver.2020.7.21 202001-202407"},
                        Case{"Command3", "VLTFOTHISWEEKNAZ", "VLTFOTHISWEEKNAZ"},
                        Case{"Command12", "VLTP2RIALTIME", "VLTP2RIALTIME"},
                        Case{"Command7", "VELTRANODDSN", "VELTRANODDSN"},
                        Case{"Command8", "YOSOKEKKATHISWEEKNAZ", "YOSOKEKKATHISWEEKNAZ"}}) {
    Button(c.button)->click();
    auto* w = window_->findChild<QWidget*>(c.window, Qt::FindDirectChildrenOnly);
    ASSERT_NE(w, nullptr) << c.window;
    EXPECT_TRUE(w->isWindow() && w->isVisible()) << c.window;
    EXPECT_EQ(w->windowTitle().toStdString(), c.caption);
  }
  EXPECT_EQ(Text("Text6"), "過去の的中リスト終了");
}

TEST_F(MainWindowTest, PredictionChecksThePackageFirst) {
  int predictions = 0;
  window_->SetWindowFactory("VELTRANEXPDTHISWEEKNAZ", Counting("VELTRANEXPDTHISWEEKNAZ", predictions));
  Button("Command6")->click();
  ASSERT_EQ(window_->messages.size(), 1u);
  EXPECT_EQ(window_->messages[0],
            app_path_ + "に参照場所(展開フォルダ）に初回予想因子ウエイトが有りませんので、ソフトを終了します。");
  EXPECT_TRUE(window_->ended);
  EXPECT_EQ(predictions, 0);

  window_->ended = false;
  Package();
  Button("Command6")->click();
  Button("Command6")->click();
  EXPECT_FALSE(window_->ended);
  EXPECT_EQ(predictions, 2);
  EXPECT_EQ(Text("Label1"), steps::PackagePresentCaption("2024/07/29 9:05:00"));
}

TEST_F(MainWindowTest, SettingsWebPagesAndThePicture) {
  jv_link_.result = 0;
  Button("Command1")->click();
  EXPECT_TRUE(window_->messages.empty());
  jv_link_.result = -1;
  Button("Command1")->click();
  EXPECT_EQ(window_->messages, std::vector<std::string>{"エラーのためJV-Linkの設定に失敗しました。"});

  Button("Command14")->click();
  Button("Command16")->click();
  ASSERT_EQ(window_->pages.size(), 2u);
  EXPECT_NE(window_->pages[0], window_->pages[1]);

  EXPECT_FALSE(window_->ended);
  Button("Picture1")->click();
  EXPECT_TRUE(window_->ended);
}

}  // namespace
}  // namespace radadovur::ui
