#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "common/names.h"
#include "common/text_file.h"
#include "jvlink/null_jv_link.h"
#include "support/odds_record.h"
#include "support/qt_app.h"
#include "support/recording_host.h"
#include "support/scripted_jv_link.h"
#include "support/temp_folder.h"
#include "support/week_record.h"
#include "ui/main/workflow_steps.h"
#include "ui/odds/odds_matrix_window.h"
#include "ui/odds/odds_window.h"
#include "ui/odds/realtime_menu_window.h"
#include "ui/odds/realtime_results_window.h"
#include "ui/quiet_main_window.h"

namespace radadovur::testing {
namespace {

namespace names = common::names;

// A window of its own step host with its message boxes recorded instead of shown.
template <typename Window>
class Quiet : public Window {
 public:
  using Window::Window;
  void Message(const std::string& text) override { messages.push_back(text); }
  void FailureMessage(const common::FailureReport& report) override { Message(report.Text()); }
  std::vector<std::string> messages;
};

QString Text(QWidget& window, const char* name) { return window.findChild<QLineEdit*>(name)->text(); }
QPushButton* Button(QWidget& window, const char* name) { return window.findChild<QPushButton*>(name); }

class OddsWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { QtApp(); }
  TempFolder folder_{"rdv_odds_windows"};
  common::RunState state_ = common::RunStateFor(folder_.path());
};

TEST_F(OddsWindowsTest, TheOddsWindowFetchesWithItsOwnJvLinkAndShowsTheEndText) {
  auto link = std::make_unique<ScriptedJvLink>();
  ScriptedJvLink& jv = *link;
  jv.opens = {{0, 1, 1}};  // one file to download first: the window's own progress dialog
  jv.statuses = {1};
  const std::string o2 = OddsRecordBuilder(jvdata::RecordType::O2, "2024080305020101").Build();
  const std::string o6 = OddsRecordBuilder(jvdata::RecordType::O6, "2024080305020101").Build();
  jv.reads = {ScriptedJvLink::Record(o2), ScriptedJvLink::Record(o6)};
  Quiet<ui::OddsWindow> window(state_, std::move(link));
  EXPECT_EQ(window.objectName(), "VLTFOTHISWEEKNAZ");
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("今週のオッズ Ver.2024.8.12A"));
  EXPECT_EQ(Button(window, "Command1")->text(), QString::fromUtf8("設定ＯＤＤＳ"));
  EXPECT_EQ(Button(window, "Command2")->text(), QString::fromUtf8("今週のオッズ"));
  EXPECT_EQ(Button(window, "Command3")->text(), QString::fromUtf8("今週の3連単"));
  window.show();
  state_.OddsSource = 1;
  Button(window, "Command2")->click();
  EXPECT_EQ(Text(window, "Text1"), QString::fromUtf8("オッズ取得完了"));
  EXPECT_EQ(window.DownloadState().DownloadCount, 1);
  EXPECT_EQ(state_.OddsSource, 0);
  EXPECT_EQ(*common::ReadWholeFile(folder_.app_path() + std::string(names::kO2ThisWeek)), o2);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(Button(window, "Command3")->isEnabled());
  EXPECT_TRUE(SaveScreenshot(window, "VLTFOTHISWEEKNAZ"));
  Button(window, "Command3")->click();
  EXPECT_EQ(Text(window, "Text1"), QString::fromUtf8("3連単オッズ取得完了"));
}

TEST_F(OddsWindowsTest, TheRealtimeMenuFetchesAndShowsOneRealtimeResultsWindow) {
  Quiet<ui::RealtimeMenuWindow> menu(state_, std::make_unique<ScriptedJvLink>());
  EXPECT_EQ(menu.objectName(), "VLTP2RIALTIME");
  EXPECT_EQ(menu.windowTitle(), QString::fromUtf8("速報 Ver.2024.7.8"));
  EXPECT_EQ(Button(menu, "Command1")->text(), QString::fromUtf8("Ⅱ　速報オッズ情報"));
  EXPECT_EQ(Button(menu, "Command2")->text(), QString::fromUtf8("Ⅲ　速報着順等情報"));
  EXPECT_EQ(Button(menu, "Command3")->text(), QString::fromUtf8("設定ODDS"));
  menu.show();
  // The week's steps through ⑥ finished, on an empty week.
  MarkStepsFinished(folder_.app_path(), steps::WeekStep::kResults);
  ASSERT_TRUE(common::WriteFileAtomic(folder_.app_path() + std::string(names::kRaNew), "").ok());
  Button(menu, "Command1")->click();  // no race in the race file: nothing to fetch
  EXPECT_EQ(Text(menu, "Text1"), QString::fromUtf8("速報オッズ取得完了"));
  EXPECT_EQ(*common::ReadWholeFile(folder_.app_path() + std::string(names::kO6Realtime)), "");

  // The realtime results window loads with a scripted JV-Link of its own.
  int loads = 0;
  menu.SetResultsWindowFactory([&] {
    ++loads;
    auto* window = new ui::RealtimeResultsWindow(std::make_unique<ScriptedJvLink>());
    window->Load(state_, menu);
    return window;
  });
  state_.OddsSource = 0;
  ASSERT_TRUE(common::WriteFileAtomic(state_.AppPath + "RACETHISWEEKNSYOSAI.dat", "").ok());  // ⑥ has run
  Button(menu, "Command2")->click();
  QPointer<QWidget> results = menu.ResultsWindow();
  ASSERT_TRUE(results);
  EXPECT_EQ(results->objectName(), "VLTHRRIALTIME");
  EXPECT_EQ(results->windowTitle(), "2024.6.29Z");
  EXPECT_EQ(Text(menu, "Text1"), QString::fromUtf8("速報払戻等取得及び処理完了"));
  EXPECT_EQ(state_.OddsSource, 1);
  Button(menu, "Command2")->click();
  EXPECT_EQ(menu.ResultsWindow(), results.data());  // shown again, not made again
  EXPECT_TRUE(SaveScreenshot(menu, "VLTP2RIALTIME"));
  results->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Button(menu, "Command2")->click();
  EXPECT_TRUE(menu.ResultsWindow());
  EXPECT_NE(menu.ResultsWindow(), results.data());
  EXPECT_EQ(loads, 2);
  EXPECT_TRUE(menu.messages.empty());
}

// The realtime menu and the odds window run their steps as the main window's: while one runs no
// workflow button of any window can start a second step on the same files during its yields, and
// the running window does not close (it would be deleted under its step at the next yield).
TEST_F(OddsWindowsTest, TheirStepsLockEveryWorkflowButtonAndKeepTheirWindowOpen) {
  ScriptedJvLink main_link;
  QuietMainWindow main_window(folder_.app_path(), main_link);
  auto* menu = new Quiet<ui::RealtimeMenuWindow>(state_, std::make_unique<ScriptedJvLink>());
  menu->setAttribute(Qt::WA_DeleteOnClose);  // as the main window shows it
  Quiet<ui::OddsWindow> odds(state_, std::make_unique<ScriptedJvLink>());
  ui::AttachToMainWindow(*menu, main_window);
  ui::AttachToMainWindow(odds, main_window);
  main_window.show();
  menu->show();
  odds.show();
  const auto main_button = [&](const char* name) { return main_window.findChild<QAbstractButton*>(name); };

  QPointer<QWidget> alive = menu;
  std::map<std::string, bool> enabled;
  bool closed = true;
  std::string asked;
  menu->SetResultsWindowFactory([&]() -> QWidget* {  // the results window's load: the step's work
    enabled["main Command8"] = main_button("Command8")->isEnabled();
    enabled["main Command13"] = main_button("Command13")->isEnabled();
    enabled["menu Command1"] = Button(*menu, "Command1")->isEnabled();
    enabled["odds Command2"] = Button(odds, "Command2")->isEnabled();
    EXPECT_TRUE(main_window.StepRunning());
    // The close asks whether to stop the step; No keeps the step running and the window open.
    testing::AnswerNextBox(QMessageBox::No, asked);
    closed = menu->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // what the next yield would do
    return nullptr;
  });
  Button(*menu, "Command2")->click();
  ASSERT_EQ(enabled.size(), 4u);
  for (const auto& [control, on] : enabled) EXPECT_FALSE(on) << control;
  EXPECT_FALSE(closed);
  EXPECT_EQ(asked, "処理中です。中止しますか？");
  ASSERT_TRUE(alive);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_TRUE(main_button("Command8")->isEnabled());
  EXPECT_TRUE(Button(*menu, "Command2")->isEnabled());

  // A step of the main window turns both windows' buttons off.
  main_window.RunStep([&] {
    EXPECT_FALSE(Button(*menu, "Command2")->isEnabled());
    EXPECT_FALSE(Button(odds, "Command3")->isEnabled());
  });
  EXPECT_TRUE(Button(odds, "Command3")->isEnabled());
  menu->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(alive);
}

TEST_F(OddsWindowsTest, TheRealtimeResultsWindowLoadsWithItsOwnJvLinkAndSaysWhatFailed) {
  Quiet<ui::RealtimeMenuWindow> menu(state_, std::make_unique<ScriptedJvLink>());
  menu.show();
  // No race file of ② (⑥ has run and its race details are there): the results fetch cannot
  // find its days, which the menu's text and a message over the menu say.
  MarkStepsFinished(state_.AppPath, steps::WeekStep::kResults);
  ASSERT_TRUE(common::WriteFileAtomic(state_.AppPath + "RACETHISWEEKNSYOSAI.dat", "").ok());
  Button(menu, "Command2")->click();
  auto* window = qobject_cast<ui::RealtimeResultsWindow*>(menu.ResultsWindow());
  ASSERT_TRUE(window);
  EXPECT_EQ(window->objectName(), "VLTHRRIALTIME");
  EXPECT_EQ(window->windowTitle(), "2024.6.29Z");
  EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(), QString::fromUtf8("速報払戻・単勝･着順取得"));
  EXPECT_EQ(Button(*window, "Command1")->text(), QString::fromUtf8("速報払戻単勝着順所得完了"));
  EXPECT_FALSE(window->report().failures.empty());
  EXPECT_EQ(Text(menu, "Text1"), QString::fromUtf8("速報払戻等取得及び処理で失敗がありました。"));
  ASSERT_EQ(menu.messages.size(), 1u);
  EXPECT_NE(menu.messages[0].find("RATHISWEEKNNEW.dat"), std::string::npos);
  EXPECT_TRUE(SaveScreenshot(*window, "VLTHRRIALTIME"));
  QPointer<QWidget> closed = window;
  Button(*window, "Command1")->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(closed);
}

TEST_F(OddsWindowsTest, TheMatrixWindowBuildsWhileLoadingAndItsButtonCloses) {
  ASSERT_TRUE(common::WriteFileAtomic(folder_.app_path() + std::string(names::kO2ThisWeek),
                                      OddsRecordBuilder(jvdata::RecordType::O2, "2024080305020101").Build())
                  .ok());
  RecordingHost main_window;
  auto* window = new ui::OddsMatrixWindow;
  QPointer<ui::OddsMatrixWindow> alive = window;
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->Load(state_, main_window);
  EXPECT_EQ(window->objectName(), "VELTRANODDSN");
  EXPECT_EQ(window->windowTitle(), "2024.6.29Z");
  EXPECT_EQ(window->command1()->text(), QString::fromUtf8("オッズセット終了"));
  EXPECT_EQ(window->Report().files_written, 1);
  // The three missing files in one message.
  ASSERT_EQ(main_window.Messages().size(), 1u);
  EXPECT_EQ(main_window.Messages()[0],
            "次のオッズファイルがないため、オッズなしとして処理しました。\nO6THISWEEKN.dat\nO5THISWEEKN.dat\nO4THISWEEKN.dat");
  window->show();
  EXPECT_TRUE(SaveScreenshot(*window, "VELTRANODDSN"));
  window->command1()->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
}

// オッズ処理 and 速報処理 before their odds were fetched: a message that names the fetch to run
// first, nothing written, no 終了 text, and no window left open, so the next click builds.
TEST_F(OddsWindowsTest, OddsProcessingBeforeTheFetchSaysWhichFetchComesFirst) {
  jvlink::NullJvLink link;
  QuietMainWindow main(folder_.path(), link);
  ui::ConnectWorkflowSteps(main);  // the program's own odds-matrix window
  main.show();
  const auto open = [&main] {
    for (auto* w : main.findChildren<QWidget*>("VELTRANODDSN"))
      if (w->isVisible()) return true;
    return false;
  };
  const auto matrix_files = [this] {
    const std::string kaime = folder_.app_path() + "KAIME";
    if (!std::filesystem::exists(kaime)) return 0;
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(kaime)) ++n;
    return n;
  };
  struct Case {
    const char* button;
    const char* box;
    std::string_view file;
    const char* message;
    const char* refused;
    const char* done;
  } cases[] = {
      {"Command7", "Text2", names::kO2ThisWeek,
       "今週のオッズファイルがありません。先に今週オッズ取得を実行して下さい。今週のオッズ処理は行いませんでした。\n"
       "O6THISWEEKN.dat、O5THISWEEKN.dat、O4THISWEEKN.dat、O2THISWEEKN.dat",
       "今週のオッズ処理は行いませんでした。", "今週のオッズ処理終了"},
      {"Command13", "Text3", names::kO2Realtime,
       "速報オッズのファイルがありません。先にⅠ　速報情報(一括）の「Ⅱ　速報オッズ情報」を実行して下さい。"
       "速報オッズ処理は行いませんでした。\nO6RIALTIME.dat、O5RIALTIME.dat、O4RIALTIME.dat、O2RIALTIME.dat",
       "速報オッズ処理は行いませんでした。", "速報オッズ処理終了"},
  };
  // The realtime matrices also need a realtime odds fetch that finished: the record says so here.
  testing::MarkStepsFinished(folder_.app_path(), steps::WeekStep::kRealtimeOdds);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    main.messages.clear();
    Button(main, c.button)->click();
    // A refused load builds no window (none built and closed again).
    EXPECT_TRUE(main.findChildren<QWidget*>("VELTRANODDSN").isEmpty());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0], c.message);
    EXPECT_EQ(Text(main, c.box), QString::fromUtf8(c.refused));
    EXPECT_FALSE(open());
    EXPECT_EQ(matrix_files(), 0);

    ASSERT_TRUE(common::WriteFileAtomic(folder_.app_path() + std::string(c.file),
                                        OddsRecordBuilder(jvdata::RecordType::O2, "2024080305020101").Build())
                    .ok());
    Button(main, c.button)->click();
    EXPECT_EQ(Text(main, c.box), QString::fromUtf8(c.done));
    EXPECT_TRUE(open());
    EXPECT_EQ(matrix_files(), 1);
    for (auto* w : main.findChildren<QWidget*>("VELTRANODDSN")) w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::remove_all(folder_.app_path() + "KAIME");
    std::filesystem::create_directories(folder_.app_path() + "KAIME");
  }
}

}  // namespace
}  // namespace radadovur::testing
