// Button ⑥ on the demo week: a new results window per click, its race list, the main window's
// texts around the pass and its buttons disabled while the pass yields.
#include "ui/results/results_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

#include "common/names.h"
#include "common/text_file.h"
#include "jvlink/null_jv_link.h"
#include "steps/results.h"
#include "steps/week_record.h"
#include "support/recording_host.h"
#include "support/qt_app.h"
#include "support/run_cli.h"
#include "ui/main/workflow_steps.h"
#include "ui/quiet_main_window.h"

namespace radadovur::ui {
namespace {

namespace fs = std::filesystem;

// The main window noting, at every yield, Text5 and whether any workflow button could be clicked.
class WatchingMainWindow : public testing::QuietMainWindow {
 public:
  using QuietMainWindow::QuietMainWindow;
  void Yield() override {
    text5_at_yield.push_back(findChild<QLineEdit*>("Text5")->text().toStdString());
    for (auto* button : findChildren<QAbstractButton*>())
      if (button->isEnabled()) enabled_at_yield.push_back(button->objectName().toStdString());
    QuietMainWindow::Yield();
  }
  std::vector<std::string> text5_at_yield;
  std::vector<std::string> enabled_at_yield;

 protected:
  void EndProgram() override {}  // a test process has no program to end
};

std::vector<ResultsWindow*> OpenResultsWindows(QWidget& main_window) {
  std::vector<ResultsWindow*> open;
  for (auto* w : main_window.findChildren<ResultsWindow*>(Qt::FindDirectChildrenOnly))
    if (w->isVisible()) open.push_back(w);
  return open;
}

TEST(ResultsWindow, ButtonSixMakesANewWindowWithTheWeeksRaceList) {
  testing::QtApp();
  const auto base = fs::temp_directory_path() / ("rdv_results_window_" + std::to_string(::getpid()));
  fs::remove_all(base);
  const std::string dir = (base / "week").string() + "/";
  ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
  ASSERT_EQ(testing::RunCli("demo '" + dir + "' --state monday").exit_code, 0);
  for (const std::string step : {"startup", "download", "structure", "daybefore", "predict"})
    ASSERT_EQ(testing::RunCli(step + " '" + dir + "'").exit_code, 0) << step;

  // The pass's own yields, counted through a recording host on the same week (a second pass
  // yields as often).
  int pass_yields = 0;
  {
    testing::RecordingHost host;
    results::ResultsWindowState state;
    steps::RunResultsStep(common::RunStateFor(dir), host, state);
    pass_yields = host.Yields();
  }

  jvlink::NullJvLink link;
  WatchingMainWindow window(dir, link);
  ConnectWorkflowSteps(window);
  window.findChild<QAbstractButton*>("Option1")->click();
  window.findChild<QAbstractButton*>("Command8")->click();

  auto open = OpenResultsWindows(window);
  ASSERT_EQ(open.size(), 1u);
  ResultsWindow& results = *open[0];
  EXPECT_EQ(results.objectName(), "YOSOKEKKATHISWEEKNAZ");
  EXPECT_EQ(results.windowTitle().toStdString(), "予想・結果 Ver.2024.8.12A");
  EXPECT_TRUE(results.failures().empty()) << results.failures().items[0].ToString();
  EXPECT_TRUE(window.messages.empty()) << window.messages.front();

  // List1 holds one item per listed race, in the list file's order, each ending in its key.
  QListWidget* list1 = results.findChild<QListWidget*>("List1");
  ASSERT_EQ(list1, results.list1());
  const auto keys = common::ReadQuotedValues(dir + "RACETHISWEEKN.dat");
  ASSERT_GT(keys.size(), 20u);
  ASSERT_EQ(static_cast<size_t>(list1->count()), keys.size());
  for (int i = 0; i < list1->count(); ++i)
    EXPECT_TRUE(list1->item(i)->text().toStdString().ends_with("R          " + keys[i])) << i;
  EXPECT_EQ(list1->item(0)->text().left(11), QString::fromStdString(keys[0].substr(0, 4)) + QString::fromUtf8("年") +
                                                 QString::fromStdString(keys[0].substr(4, 2)) +
                                                 QString::fromUtf8("月") + QString::fromStdString(keys[0].substr(6, 2)) +
                                                 QString::fromUtf8("日"));

  // Text5: the start text before the pass, then progress texts of the races in their order (the
  // window shows only some of them), the end text; no workflow button could be clicked during
  // any yield; Option1 is cleared afterwards. The step yields after its start text (shown once
  // the gate let it run), and every yield of the step reaches the window.
  ASSERT_EQ(window.text5_at_yield.size(), static_cast<size_t>(pass_yields));
  ASSERT_GE(static_cast<size_t>(pass_yields), keys.size());
  EXPECT_EQ(window.text5_at_yield[0], "予想･結果を開始しました。しばらくお待ちください。。数分かかります。");
  size_t shown = 0;  // the race whose progress text showed last: they show in race order
  bool any = false;
  for (size_t y = 1; y < window.text5_at_yield.size(); ++y) {
    const std::string& text = window.text5_at_yield[y];
    if (text == window.text5_at_yield[0]) {
      EXPECT_FALSE(any) << "yield " << y;  // the start text does not come back
      continue;
    }
    while (shown < y - 1 && !(text.starts_with(keys[shown].substr(0, 8)) && text.ends_with(keys[shown].substr(10, 2) + "R予想中")))
      ++shown;
    EXPECT_LT(shown, y - 1) << "yield " << y << ": " << text;  // a race before this yield
    any = true;
  }
  EXPECT_TRUE(window.enabled_at_yield.empty()) << window.enabled_at_yield.front();
  EXPECT_EQ(window.findChild<QLineEdit*>("Text5")->text().toStdString(), "予想･結果終了");
  EXPECT_FALSE(window.findChild<QAbstractButton*>("Option1")->isChecked());
  EXPECT_TRUE(window.findChild<QAbstractButton*>("Command8")->isEnabled());

  results.resize(results.width(), 420);
  EXPECT_TRUE(testing::SaveScreenshot(results, "YOSOKEKKATHISWEEKNAZ"));

  // A second click makes a second window beside the first; a step that fails is counted in
  // Text5 and listed in a message.
  fs::remove(dir + std::string(common::names::kCodeTableFile));
  window.findChild<QAbstractButton*>("Command8")->click();
  open = OpenResultsWindows(window);
  ASSERT_EQ(open.size(), 2u);
  EXPECT_EQ(open[1]->list1()->count(), list1->count());
  EXPECT_EQ(open[1]->failures().items.size(), 1u);
  EXPECT_EQ(window.findChild<QLineEdit*>("Text5")->text().toStdString(), "予想･結果は終わりましたが、1件の処理に失敗しました");
  ASSERT_EQ(window.messages.size(), 2u);  // the code table's own message, then the failure list
  EXPECT_TRUE(window.messages[1].starts_with("予想･結果で次の処理ができませんでした。\n")) << window.messages[1];
  EXPECT_NE(window.messages[1].find("CodeTable.csv"), std::string::npos);

  for (auto* w : open) w->close();

  // Closing the main window while the pass runs, answered Yes in the real box: the pass stops
  // before its next race, shows no failure list, opens no window, Text5 says to run ⑥ again, ⑥
  // is not finished, and the main window closes. The close comes at the first yield.
  window.show();
  const size_t messages = window.messages.size();
  std::string asked;
  QTimer::singleShot(0, [&] {
    testing::AnswerNextBox(QMessageBox::Yes, asked);  // in the question's own event loop
    window.close();
  });
  window.findChild<QAbstractButton*>("Command8")->click();
  EXPECT_EQ(asked, "処理中です。中止しますか？");
  EXPECT_TRUE(OpenResultsWindows(window).empty());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.findChild<QLineEdit*>("Text5")->text().toStdString(),
            "予想･結果を中止しました。⑥予想･結果をもう一度実行して下さい。");
  ASSERT_EQ(window.messages.size(), messages + 1);  // the missing code table's own message only
  EXPECT_NE(window.messages.back().find("CodeTable.csv"), std::string::npos);
  steps::WeekRecord record;
  ASSERT_TRUE(steps::ReadWeekRecord(dir, record).ok());
  EXPECT_FALSE(record.Finished(steps::WeekStep::kResults));
  fs::remove_all(base);
}

}  // namespace
}  // namespace radadovur::ui
