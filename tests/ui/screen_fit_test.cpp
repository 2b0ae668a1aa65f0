// What a user on a 1366x768 laptop sees: message boxes and windows that fit the screen, grids
// without empty boxes for control bytes, and text that reads on the windows' dark colours.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTableWidget>
#include <QTextEdit>
#include <memory>

#include "common/colour.h"
#include "history/grid.h"
#include "jvlink/null_jv_link.h"
#include "results/results_window_state.h"
#include "support/qt_app.h"
#include "ui/chusi/chusi_rialtime_window.h"
#include "ui/cell_colours.h"
#include "ui/history/history_windows.h"
#include "ui/kouzoutai/kouzoutai_window.h"
#include "ui/message_box.h"
#include "ui/odds/odds_matrix_window.h"
#include "ui/odds/odds_window.h"
#include "ui/odds/realtime_menu_window.h"
#include "ui/predict/predict_window.h"
#include "ui/results/grid_table.h"
#include "ui/results/results_window.h"
#include "ui/screen_fit.h"
#include "ui/main/main_window.h"

namespace radadovur::ui {
namespace {

bool Fits(QSize size) { return size.width() <= kLargestWindow.width() && size.height() <= kLargestWindow.height(); }

// A failure list of hundreds of lines gives a box no taller than the screen, its summary first
// and every line in the scrolling detail area.
TEST(ScreenFitTest, LongFailureListGivesABoxThatFits) {
  testing::QtApp();
  common::StepFailures failures;
  for (int i = 0; i < 400; ++i)
    failures.Add(common::Status::IoError("/w/RACE/2024080301" + std::to_string(10 + i % 90) + ".dat",
                                         "RACE/2024080301" + std::to_string(10 + i % 90) + ".dat を書けません"));
  const common::FailureReport report = common::MakeFailureReport("予想･結果で次の処理ができませんでした。", failures);
  auto box = NewFailureBox(nullptr, report);
  box->show();
  for (QAbstractButton* b : box->buttons())
    if (box->buttonRole(b) == QMessageBox::ActionRole) b->click();  // shows the details
  QApplication::processEvents();
  EXPECT_TRUE(box->text().startsWith(QString::fromUtf8("予想･結果で次の処理ができませんでした。\n失敗 400 件（90 項目）。")))
      << box->text().toStdString();
  EXPECT_LE(box->height(), kLargestWindow.height());
  EXPECT_LE(box->sizeHint().height(), kLargestWindow.height());
  auto* details = box->findChild<QTextEdit*>();
  ASSERT_NE(details, nullptr);
  EXPECT_TRUE(details->isVisible());
  EXPECT_EQ(details->toPlainText().count('\n'), 89);

  // A long plain message keeps its first lines in the box and all of them in the details.
  std::string long_text = "ファイルがありません:";
  for (int i = 0; i < 200; ++i) long_text += "\n/w/UMAGOTOTHISWEEKN/" + std::to_string(1000000000 + i) + ".dat";
  auto plain = NewMessageBox(nullptr, long_text);
  plain->show();
  QApplication::processEvents();
  EXPECT_LE(plain->sizeHint().height(), kLargestWindow.height());
  EXPECT_TRUE(plain->text().startsWith(QString::fromUtf8("ファイルがありません:\n")));
  EXPECT_EQ(plain->detailedText(), QString::fromStdString(long_text));
}

// Every window opens no larger than 1366x728 and can be made that small: where its layout is
// larger, its content scrolls.
TEST(ScreenFitTest, EveryWindowFitsALaptopScreen) {
  testing::QtApp();
  jvlink::NullJvLink link;
  common::RunState state = common::RunStateFor("/nonexistent/");
  history::Grid runs(312, 9, 1, 1);
  std::vector<std::unique_ptr<QWidget>> windows;
  windows.emplace_back(std::make_unique<MainWindow>("/nonexistent/", link));
  windows.emplace_back(std::make_unique<ResultsWindow>());
  windows.emplace_back(std::make_unique<PastResultsWindow>("/nonexistent/", std::vector<history::DayListItem>{}));
  windows.emplace_back(std::make_unique<HitListWindow>(history::HitList{}));
  windows.emplace_back(std::make_unique<PastRunsWindow>(runs));
  windows.emplace_back(std::make_unique<PredictWindow>(state));
  windows.emplace_back(std::make_unique<KouzoutaiWindow>());
  windows.emplace_back(std::make_unique<OddsMatrixWindow>());
  windows.emplace_back(std::make_unique<OddsWindow>(state, std::make_unique<jvlink::NullJvLink>()));
  windows.emplace_back(std::make_unique<RealtimeMenuWindow>(state, std::make_unique<jvlink::NullJvLink>()));
  windows.emplace_back(std::make_unique<ChusiRialtimeWindow>(std::make_unique<jvlink::NullJvLink>()));
  for (auto& window : windows) {
    window->show();
    QApplication::processEvents();
    const std::string name = window->objectName().toStdString();
    EXPECT_TRUE(Fits(window->size())) << name << " " << window->width() << "x" << window->height();
    EXPECT_TRUE(Fits(window->minimumSizeHint())) << name << " " << window->minimumSizeHint().width() << "x"
                                                 << window->minimumSizeHint().height();
    EXPECT_TRUE(Fits(window->minimumSize())) << name;
  }
}

// Text on the grids' coloured cells, the dark blue of rank "04" above all, reads at 4.5:1.
TEST(ScreenFitTest, GridTextContrastsWithItsBackColour) {
  testing::QtApp();
  viewer::Grid design("RACEDETAILGrid1", 3, 7);
  const viewer::Colour colours[] = {viewer::Colour::kLightBlue, viewer::Colour::kLightRed, viewer::Colour::kLightMagenta,
                                    viewer::Colour::kLightYellow, viewer::Colour::kLightCyan, viewer::Colour::kLightGreen};
  for (int c = 1; c < 7; ++c) {
    design.Set(1, c, "04");
    design.Paint(1, c, colours[c - 1]);
  }
  GridTable table(design);
  for (int c = 1; c < 7; ++c) {
    const QColor back = table.item(0, c)->background().color();
    const QColor fore = table.item(0, c)->foreground().color();
    EXPECT_GE(common::ContrastRatio(RgbOf(back), RgbOf(fore)), common::kReadableContrast) << c;
  }
  EXPECT_EQ(table.item(0, 1)->foreground().color(), QColor(Qt::white));

  // The past results' and past runs' grids: a dark blue back, a red text on yellow.
  history::Grid grid(2, 3, 1, 1);
  grid.Put(1, 1, "04");
  grid.At(1, 1).back = history::kLightBlue;
  grid.Put(1, 2, "12,340");
  grid.At(1, 2).back = history::kLightYellow;
  grid.At(1, 2).fore = history::kLightRed;
  PastRunsWindow runs(grid);
  auto* exfg = runs.findChild<QTableWidget*>("EXFG1");
  for (int c = 1; c <= 2; ++c) {
    QTableWidgetItem* item = exfg->item(1, c);
    EXPECT_GE(common::ContrastRatio(RgbOf(item->background().color()), RgbOf(item->foreground().color())),
              common::kReadableContrast)
        << c;
  }
  EXPECT_EQ(exfg->item(1, 2)->background().color(), RgbColour(history::kLightYellow));  // the back stays
}

}  // namespace
}  // namespace radadovur::ui
