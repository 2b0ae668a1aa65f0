// Pictures of every window on a prepared week folder, to be looked at by eye on a real screen.
// Runs only when RADADOVUR_SHOTS_WEEK names the folder (a copy: ⑥ rewrites its files); the
// pictures go to RADADOVUR_SCREENSHOT_DIR, named after RADADOVUR_SHOTS_NAME.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <cerrno>
#include <cstdio>

#include "jvlink/null_jv_link.h"
#include "support/qt_app.h"
#include "ui/main/workflow_steps.h"
#include "ui/message_box.h"
#include "ui/quiet_main_window.h"
#include "ui/results/grid_table.h"
#include "ui/screen_fit.h"

namespace radadovur::ui {
namespace {

class Shots {
 public:
  explicit Shots(std::string prefix) : prefix_(std::move(prefix)) {}
  void Take(QWidget& window, const std::string& name) {
    QApplication::processEvents();
    const std::string file = prefix_ + "_" + name;
    EXPECT_TRUE(testing::SaveScreenshot(window, file.c_str()));
    std::printf("%s %dx%d\n", file.c_str(), window.frameGeometry().width(), window.frameGeometry().height());
    EXPECT_LE(window.height(), kLargestWindow.height()) << name;
    EXPECT_LE(window.width(), kLargestWindow.width()) << name;
  }
  // Each page of every tab control of the window; a tab control on a page of another is shown
  // by turning to that page first.
  void TakeTabs(QWidget& window, const std::string& name) {
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>())
      for (int k = 0; k < tabs->count(); ++k) {
        for (QWidget* w = tabs; w && w != &window; w = w->parentWidget())
          if (auto* outer = w->parentWidget() ? qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget()) : nullptr)
            outer->setCurrentWidget(w);
        tabs->setCurrentIndex(k);
        Take(window, name + "_" + tabs->objectName().toStdString() + "_" + std::to_string(k));
      }
  }

 private:
  std::string prefix_;
};

QWidget* Opened(QWidget& main, const char* name) {
  for (auto* w : main.findChildren<QWidget*>(name, Qt::FindDirectChildrenOnly))
    if (w->isWindow() && w->isVisible()) return w;
  return nullptr;
}

TEST(WeekScreenshots, EveryWindow) {
  const QByteArray week = qgetenv("RADADOVUR_SHOTS_WEEK");
  if (week.isEmpty()) GTEST_SKIP() << "RADADOVUR_SHOTS_WEEK not set";
  testing::QtApp();
  Shots shots(qEnvironmentVariable("RADADOVUR_SHOTS_NAME", "week").toStdString());
  jvlink::NullJvLink link;
  testing::QuietMainWindow main(week.toStdString(), link);
  ConnectWorkflowSteps(main);
  main.show();
  shots.Take(main, "main");

  main.findChild<QAbstractButton*>("Command8")->click();  // ⑥
  QWidget* results = Opened(main, "YOSOKEKKATHISWEEKNAZ");
  ASSERT_NE(results, nullptr);
  auto* races = results->findChild<QListWidget*>("List1");
  if (races->count() > 0) races->setCurrentRow(races->count() / 2);
  shots.TakeTabs(*results, "results");
  shots.Take(main, "main_after_results");
  // The past runs of the first runner, as a click on its name cell opens them.
  auto* runners = results->findChild<GridTable*>("RACEDETAILGrid1");
  if (runners) {
    for (int c = 0; c < runners->columnCount(); ++c)
      if (runners->Text(1, c).contains("EX.dat")) {
        main.State().SelectedHorseCell = runners->Text(1, c).toStdString();
        main.ShowSingle("Kakoso");
        if (QWidget* runs = Opened(main, "Kakoso")) {
          shots.Take(*runs, "past_runs");
          // The widest text of the first run's column, which sets its width.
          auto* grid = runs->findChild<QTableWidget*>("EXFG1");
          const QFontMetrics metrics(grid->font());
          int widest_row = 0;
          for (int r = 0; r < grid->rowCount(); ++r)
            if (metrics.horizontalAdvance(grid->item(r, 1)->text().trimmed()) >
                metrics.horizontalAdvance(grid->item(widest_row, 1)->text().trimmed()))
              widest_row = r;
          std::printf("past runs column 1: %d px, widest [%s] [%s]\n", grid->columnWidth(1),
                      grid->item(widest_row, 0)->text().toStdString().c_str(),
                      grid->item(widest_row, 1)->text().toStdString().c_str());
          // The last runs and, beside them, the row labels.
          grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
          grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 2);
          shots.Take(*runs, "past_runs_scrolled");
        }
        break;
      }
  }

  for (const char* name : {"VELTRANEXPDTHISWEEKNAZ", "TekichuListAZ", "FactorTURFA", "FactorDIRTA", "FactorHURDA",
                           "VLTFOTHISWEEKNAZ", "VLTP2RIALTIME", "VELTRANODDSN"}) {
    main.ShowSingle(name);
    if (QWidget* w = Opened(main, name)) shots.TakeTabs(*w, name), shots.Take(*w, name);
  }
  main.ShowSingle("KakoSeisekiAZ");
  if (QWidget* past = Opened(main, "KakoSeisekiAZ")) {
    auto* days = past->findChild<QListWidget*>("List1");
    if (days->count() > 0) days->setCurrentRow(0);
    shots.TakeTabs(*past, "past_results");
  }

  // A step's failure list of a few hundred lines, its details open.
  common::StepFailures failures;
  for (int i = 0; i < 300; ++i)
    failures.Add(common::Status::FromErrno("を書けません", main.AppPath() + "RACE/2024080301" + std::to_string(10 + i % 60) + ".dat",
                                           ENOSPC));
  auto box = NewFailureBox(&main, common::MakeFailureReport("予想･結果で次の処理ができませんでした。", failures));
  box->show();
  shots.Take(*box, "failure_box");
  for (QAbstractButton* b : box->buttons())
    if (box->buttonRole(b) == QMessageBox::ActionRole) b->click();
  shots.Take(*box, "failure_box_details");
  for (const std::string& m : main.messages) std::printf("message: %s\n", m.c_str());
}

}  // namespace
}  // namespace radadovur::ui
