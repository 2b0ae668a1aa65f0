// The past results window, the hit list and the past runs of a horse, opened from the main
// window on a hand-made program folder: their lists and grids, single instances, the buttons
// off while a search runs, and screenshots of each.
#include "ui/history/history_windows.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QFontMetrics>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "common/colour.h"
#include "common/cp932.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "history/past_runs.h"
#include "jvlink/null_jv_link.h"
#include "support/history_fixture.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "ui/cell_colours.h"
#include "ui/main/workflow_steps.h"
#include "ui/quiet_main_window.h"

namespace radadovur::ui {
namespace {

class HistoryWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::QtApp();
    const std::string app = folder_.app_path();
    for (const char* f : {"SOKUDO", "JRACODE", "UMAGOTOEXTHISWEEKN"}) std::filesystem::create_directories(app + f);
    EXPECT_TRUE(common::WriteFileAtomic(app + "JRACODE/CodeTable.csv",
                            common::ToCp932("2001,06,a,b,中山,c,d,e\r\n2001,09,a,b,阪神,c,d,e\r\n2002,1,a,b,土曜日,c,d,e\r\n"))
                    .ok());
    testing::WriteMeetingDay(app, "20240922060407", {"2024年", "09月", "22日", "4回", "中山", "7日目"});
    testing::WriteMeetingDay(app, "20240921090406", {"2024年", "09月", "21日", "4回", "阪神", "6日目"}, 11);
    std::string records;
    for (const char* date : {"20240101", "20240601", "20240922"}) {
      std::string r(history::kExRecordLength, ' ');
      r.replace(11, 8, date);
      r.replace(19, 8, "06040712");
      r.replace(42, 1, "1");
      r.replace(788, 12, common::ToCp932("テストホース"));
      engine::PutReal(r.data() + 2153, 1.23456f);
      records += r;
    }
    EXPECT_TRUE(common::WriteFileAtomic(app + "UMAGOTOEXTHISWEEKN/1234567890EX.dat", records).ok());
    window_ = std::make_unique<testing::QuietMainWindow>(app, jv_link_);
    ConnectWorkflowSteps(*window_);
  }

  QWidget* Opened(const char* name) {
    for (auto* w : window_->findChildren<QWidget*>(name, Qt::FindDirectChildrenOnly))
      if (w->isWindow() && w->isVisible()) return w;
    return nullptr;
  }
  void Click(const char* name) { window_->findChild<QAbstractButton*>(name)->click(); }
  std::string Text6() { return window_->findChild<QLineEdit*>("Text6")->text().toStdString(); }
  static QTableWidget* Grid(QWidget* w, const QString& name) {
    auto* grid = w->findChild<QTableWidget*>(name);
    EXPECT_NE(grid, nullptr) << name.toStdString();
    return grid;
  }

  testing::TempFolder folder_{"rdv_history_windows"};
  jvlink::NullJvLink jv_link_;
  std::unique_ptr<testing::QuietMainWindow> window_;
};

TEST_F(HistoryWindowsTest, PastResultsWindowListsTheDaysAndShowsTheChosenOne) {
  Click("Command11");
  QWidget* past = Opened("KakoSeisekiAZ");
  ASSERT_NE(past, nullptr);
  EXPECT_EQ(Text6(), "過去の予想成績終了");
  EXPECT_TRUE(std::filesystem::exists(folder_.app_path() + "SOKUDO/HR20240922.csv"));
  auto* list = past->findChild<QListWidget*>("List1");
  ASSERT_EQ(list->count(), 2);
  EXPECT_TRUE(list->item(0)->text().endsWith("20240922060407"));
  Click("Command11");  // the loaded window only comes to the front
  EXPECT_EQ(past, Opened("KakoSeisekiAZ"));
  EXPECT_EQ(window_->findChildren<QWidget*>("KakoSeisekiAZ").size(), 1);

  list->setCurrentRow(0);
  QTableWidget* hits = Grid(past, "KakoSeiFG");
  EXPECT_EQ(hits->item(2, 1)->background().color(), QColor(255, 255, 0));
  // Red, darkened just enough to read on white.
  const QColor red = Grid(past, "TekiKaiFG")->item(3, 2)->foreground().color();
  EXPECT_GE(red.red(), 0xC0);
  EXPECT_EQ(red.green() + red.blue(), 0);
  // Every text of every grid reads on its cell: the red of a big payout on the yellow of a hit too.
  int coloured = 0;
  for (auto* table : past->findChildren<QTableWidget*>())
    for (int r = 0; r < table->rowCount(); ++r)
      for (int c = 0; c < table->columnCount(); ++c)
        if (const QTableWidgetItem* item = table->item(r, c)) {
          const uint32_t fore = RgbOf(item->foreground().color()), back = RgbOf(item->background().color());
          coloured += fore != 0;
          EXPECT_GE(common::ContrastRatio(fore, back), common::kReadableContrast)
              << table->objectName().toStdString() << " " << r << "," << c;
        }
  EXPECT_GT(coloured, 0);
  EXPECT_EQ(Grid(past, "RACEFG(0)")->item(1, 0)->text().toStdString(), "4  01");
  EXPECT_EQ(past->findChild<QPlainTextEdit*>("Text2(11)")->toPlainText().toStdString().substr(0, 7), "2024年");
  auto* tabs = past->findChild<QTabWidget*>("SSTab1");
  ASSERT_EQ(tabs->count(), 4);
  past->resize(1250, 800);
  const char* shots[] = {"history_past_results_hits", "history_past_results_rates", "history_past_results_race",
                         "history_past_results_strategy"};
  for (int t = 0; t < 4; ++t) {
    tabs->setCurrentIndex(t);
    EXPECT_TRUE(testing::SaveScreenshot(*past, shots[t]));
  }

  // The second day (11 races) leaves nothing of the first.
  list->setCurrentRow(1);
  EXPECT_EQ(Grid(past, "RACEFG(11)")->item(1, 0)->text().toStdString(), "");
  EXPECT_EQ(hits->item(46, 4)->text().toStdString(), "");
  EXPECT_EQ(hits->item(46, 4)->background().color(), QColor(255, 255, 255));
}

TEST_F(HistoryWindowsTest, HitListWindowListsTheBigPayoutsWithTheButtonsOffMeanwhile) {
  bool enabled_during_search = true;
  QTimer::singleShot(0, [&] { enabled_during_search = window_->findChild<QAbstractButton*>("Command11")->isEnabled(); });
  Click("Command15");
  EXPECT_FALSE(enabled_during_search);
  QWidget* list = Opened("TekichuListAZ");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Text6(), "過去の的中リスト終了");
  QTableWidget* grid = Grid(list, "tekichuFG");
  EXPECT_EQ(grid->rowCount(), 5000);
  EXPECT_EQ(grid->item(0, 0)->text().toStdString(), "年  本数");
  EXPECT_EQ(grid->item(1, 9)->text().toStdString(), "10001");
  EXPECT_EQ(grid->item(1, 3)->text().toStdString(), "中山");
  EXPECT_EQ(grid->item(23, 19)->text().toStdString(), "23");  // 12 + 11 races, one big hit each
  EXPECT_EQ(grid->item(24, 0)->text().toStdString(), "");
  EXPECT_TRUE(std::filesystem::exists(folder_.app_path() + "TEKICHU/ATARILIST.txt"));
  list->resize(1250, 500);
  EXPECT_TRUE(testing::SaveScreenshot(*list, "history_hit_list"));
}

TEST_F(HistoryWindowsTest, PastRunsOfTheHorseInTheClickedCell) {
  window_->State().SelectedHorseCell = "テストホース　　　　　　1234567890EX.dat";
  window_->ShowSingle("Kakoso");
  QWidget* runs = Opened("Kakoso");
  ASSERT_NE(runs, nullptr);
  QTableWidget* grid = Grid(runs, "EXFG1");
  EXPECT_EQ(grid->columnCount(), 4);
  EXPECT_EQ(grid->rowCount(), 312);
  EXPECT_EQ(grid->item(0, 1)->text().toStdString(), "前 0走");
  EXPECT_EQ(grid->item(4, 1)->text().toStdString(), "20240922");
  EXPECT_EQ(grid->item(5, 1)->text().toStdString(), "中山040712");
  EXPECT_EQ(grid->item(222, 3)->text().toStdString(), "1.2345");
  EXPECT_TRUE(testing::SaveScreenshot(*runs, "history_past_runs"));

  // Another click while it is open changes nothing; after Command1 the next shows the new horse.
  window_->State().SelectedHorseCell = "4  07";
  window_->ShowSingle("Kakoso");
  EXPECT_EQ(Grid(runs, "EXFG1")->columnCount(), 4);
  runs->findChild<QAbstractButton*>("Command1")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  window_->ShowSingle("Kakoso");
  ASSERT_NE(Opened("Kakoso"), nullptr);
  EXPECT_EQ(Grid(Opened("Kakoso"), "EXFG1")->columnCount(), 1);
}

// A horse whose records hold fields of zero bytes and names padded with full-width blanks: no
// cell shows a control character, and no column is wider than its widest text needs.
TEST_F(HistoryWindowsTest, PastRunsShowNoControlByteAndNarrowColumns) {
  std::string records;
  for (const char* date : {"20240101", "20240601"}) {
    std::string r(history::kExRecordLength, '\0');
    r.replace(11, 8, date);
    r.replace(19, 8, "06040712");
    std::string name = common::ToCp932("テストホース");
    while (name.size() < 36) name += "\x81\x40";  // full-width blanks
    r.replace(788, 36, name);
    records += r;
  }
  EXPECT_TRUE(common::WriteFileAtomic(folder_.app_path() + "UMAGOTOEXTHISWEEKN/2234567890EX.dat", records).ok());
  window_->State().SelectedHorseCell = "テストホース　　　　　　2234567890EX.dat";
  window_->ShowSingle("Kakoso");
  QWidget* runs = Opened("Kakoso");
  ASSERT_NE(runs, nullptr);
  QTableWidget* grid = Grid(runs, "EXFG1");
  ASSERT_EQ(grid->columnCount(), 3);
  int controls = 0;
  for (int r = 0; r < grid->rowCount(); ++r)
    for (int c = 0; c < grid->columnCount(); ++c)
      for (QChar ch : grid->item(r, c)->text())
        if (ch.category() == QChar::Other_Control) ++controls;
  EXPECT_EQ(controls, 0);
  // The runs' columns: the design's 100 px, or the widest text without its padding.
  const QFontMetrics metrics(grid->font());
  for (int c = 1; c < grid->columnCount(); ++c) {
    int widest = 0;
    for (int r = 0; r < grid->rowCount(); ++r)
      widest = std::max(widest, metrics.horizontalAdvance(grid->item(r, c)->text().trimmed()));
    EXPECT_LE(grid->columnWidth(c), std::max(100, widest + 16)) << c;
    EXPECT_GE(grid->columnWidth(c), widest) << c;
  }
  EXPECT_TRUE(testing::SaveScreenshot(*runs, "history_past_runs_zero_bytes"));
}

// A horse of twenty runs, its name padded with full-width blanks and most fields blank: every
// cell's text fits its column as shown (no "…"), a cell of blanks shows nothing, and the row
// labels stay in view when the runs are scrolled to the last.
TEST_F(HistoryWindowsTest, PastRunsCutNoTextAndKeepTheirRowLabelsInView) {
  std::string records;
  for (int run = 0; run < 20; ++run) {
    std::string r(history::kExRecordLength, ' ');
    char date[9];
    std::snprintf(date, sizeof date, "2024%02d%02d", run / 2 + 1, run % 2 ? 15 : 1);
    r.replace(11, 8, date);
    r.replace(19, 8, "06040712");
    std::string name = common::ToCp932("テストホース");
    while (name.size() < 36) name += "\x81\x40";
    r.replace(788, 36, name);
    records += r;
  }
  EXPECT_TRUE(common::WriteFileAtomic(folder_.app_path() + "UMAGOTOEXTHISWEEKN/3234567890EX.dat", records).ok());
  window_->State().SelectedHorseCell = "テストホース　　　　　　3234567890EX.dat";
  window_->ShowSingle("Kakoso");
  QWidget* runs = Opened("Kakoso");
  ASSERT_NE(runs, nullptr);
  QTableWidget* grid = Grid(runs, "EXFG1");
  ASSERT_EQ(grid->columnCount(), 21);
  const QFontMetrics metrics(grid->font());
  int blank_cells = 0, blanks_shown = 0, too_wide = 0, name_row = -1;
  std::string first_too_wide;
  for (int r = 0; r < grid->rowCount(); ++r)
    for (int c = 1; c < grid->columnCount(); ++c) {
      const QString text = grid->item(r, c)->text();
      // The text as shown, with the cell's margins, fits the column: nothing to cut with "…".
      if (metrics.horizontalAdvance(text) + 6 > grid->columnWidth(c) && too_wide++ == 0)
        first_too_wide = std::to_string(r) + "," + std::to_string(c) + " [" + text.toStdString() + "]";
      if (text.trimmed().isEmpty()) ++blank_cells, blanks_shown += !text.isEmpty();
      if (text.startsWith(QString::fromUtf8("テストホース"))) name_row = r;
    }
  EXPECT_EQ(too_wide, 0) << "first: " << first_too_wide;
  EXPECT_GT(blank_cells, 100);
  EXPECT_EQ(blanks_shown, 0);
  ASSERT_GE(name_row, 0);
  EXPECT_EQ(grid->item(name_row, 1)->text(), QString::fromUtf8("テストホース"));

  // The labels of column 0: shown beside the last run once the runs are scrolled to it.
  grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
  QApplication::processEvents();
  EXPECT_GT(grid->horizontalScrollBar()->maximum(), 0);
  for (int r : {0, 4, name_row}) {
    const QString label = grid->item(r, 0)->text();
    const bool column_in_view = !grid->isColumnHidden(0) && grid->columnViewportPosition(0) >= 0;
    const bool header_shows = grid->verticalHeader()->isVisible() &&
                              grid->model()->headerData(r, Qt::Vertical).toString() == label &&
                              grid->verticalHeader()->width() >= metrics.horizontalAdvance(label);
    EXPECT_TRUE(column_in_view || header_shows) << r << " " << label.toStdString();
  }
  EXPECT_TRUE(testing::SaveScreenshot(*runs, "history_past_runs_scrolled"));
}

}  // namespace
}  // namespace radadovur::ui
