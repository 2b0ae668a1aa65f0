// The race viewer in the results window on the Monday demo week after ①, ②, the odds and their
// matrices and ⑥: choosing a race fills Text1 and every grid; a click on a horse name keeps the
// cell in the run state and shows the single past-runs window.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <algorithm>
#include <filesystem>

#include "common/text_file.h"
#include "jvdata/race_key.h"
#include "jvlink/null_jv_link.h"
#include "store/record_block.h"
#include "support/qt_app.h"
#include "support/run_cli.h"
#include "ui/main/workflow_steps.h"
#include "ui/quiet_main_window.h"
#include "ui/results/grid_table.h"
#include "ui/results/results_window.h"
#include "viewer/viewer_fixture.h"

namespace radadovur::ui {
namespace {

namespace fs = std::filesystem;
namespace hr = jvdata::hr;

TEST(RaceViewerWindow, ChoosingARaceFillsEveryGrid) {
  testing::QtApp();
  const auto base = fs::temp_directory_path() / ("rdv_race_viewer_" + std::to_string(::getpid()));
  fs::remove_all(base);
  const std::string dir = (base / "week").string() + "/";
  ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
  ASSERT_EQ(testing::RunCli("demo '" + dir + "' --state monday").exit_code, 0);
  for (const std::string step : {"startup", "download", "structure", "odds", "matrices", "daybefore", "predict"})
    ASSERT_EQ(testing::RunCli(step + " '" + dir + "'").exit_code, 0) << step;

  jvlink::NullJvLink link;
  testing::QuietMainWindow window(dir, link);
  ConnectWorkflowSteps(window);
  window.findChild<QAbstractButton*>("Command8")->click();
  auto results_windows = window.findChildren<ResultsWindow*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(results_windows.size(), 1);
  ResultsWindow& results = *results_windows[0];
  QListWidget* list1 = results.list1();

  // The first listed race with odds matrices and a payout record.
  store::RecordBlock payouts;
  ASSERT_TRUE(store::ReadRecordBlock(dir, store::kHrThisWeek, payouts).ok());
  int item = -1;
  std::string key, payout;
  for (int i = 0; i < list1->count() && item < 0; ++i) {
    key = list1->item(i)->text().right(12).toStdString();
    if (!fs::exists(dir + "KAIME/" + key + "UMARENODDS.dat")) continue;
    for (size_t n = 0; n < payouts.count(); ++n)
      if (jvdata::RaceKey(payouts.Record(n)) == key) payout = std::string(payouts.Record(n));
    if (!payout.empty()) item = i;
  }
  ASSERT_GE(item, 0);

  // The race's runner, runner sort and ticket files as the results pass writes them.
  std::vector<testing::Runner> runners(3);
  for (int i = 0; i < 3; ++i) {
    runners[static_cast<size_t>(i)].key = key;
    runners[static_cast<size_t>(i)].runs[0][0] = key.substr(8, 2);
    runners[static_cast<size_t>(i)].umaban = testing::TwoDigit(i + 1);
    runners[static_cast<size_t>(i)].ketto = "20211000" + testing::TwoDigit(i + 1);
  }
  runners[0].name = "ミホノテスト";
  std::string runner_bytes;
  for (const auto& r : runners) runner_bytes += testing::RunnerRecord(r);
  ASSERT_TRUE(common::WriteFileAtomic(dir + "RACE/" + key + ".dat", runner_bytes).ok());
  const std::string umaren_hit(hr::UmarenPayouts_Combination.Of(payout, 0));
  const std::string sanrentan_hit(hr::SanrentanPayouts_Combination.Of(payout, 0));
  const auto ticket_file = [&](const char* suffix, const char* word, const std::vector<std::string>& tickets) {
    std::string text;
    for (const auto& t : tickets) text += "\"" + key + "\",\"" + word + "\",\"" + t + "\",180.5\r\n";
    ASSERT_TRUE(common::WriteFileAtomic(dir + "KAIME/" + key + suffix, text).ok());
  };
  ticket_file("UMARENSORT.dat", "Umaren", {umaren_hit, "0102"});
  ticket_file("UMATANSORT.dat", "Umatan", {"0102"});
  ticket_file("SANRENSORT.dat", "Sanrenpuke", {"010203"});
  ticket_file("SANRENTANSORT.dat", "sanrentan", {sanrentan_hit});
  ASSERT_TRUE(common::WriteFileAtomic(dir + "KAIME/" + key + "SORT.dat",
                                      "1,\"1\",\" 1\",\" 2\"\r\n2,\"1\",\" 2\",\" 1\"\r\n3,\"2\",\" 3\",\" 3\"\r\n")
                  .ok());

  list1->setCurrentRow(item);
  const auto grid = [&](const char* name) { return results.findChild<GridTable*>(name); };
  for (const char* name : {"HAITOGrid1", "RACEDETAILGrid1", "RACEDETAILGrid2", "UMARENGrid1", "UMATANGrid2",
                           "SANRENGrid3", "SANTANGrid4"})
    ASSERT_NE(grid(name), nullptr) << name;
  EXPECT_TRUE(results.viewer_failures().empty()) << results.viewer_failures().items[0].ToString();

  auto* text1 = results.findChild<QLineEdit*>("Text1");
  EXPECT_TRUE(text1->text().startsWith(list1->item(item)->text())) << text1->text().toStdString();
  EXPECT_TRUE(text1->text().contains("m SD=")) << text1->text().toStdString();

  GridTable* haito = grid("HAITOGrid1");
  EXPECT_EQ(haito->Text(0, 1).toStdString(), "当り目");
  EXPECT_EQ(haito->Text(1, 0).toStdString(), "単勝");
  EXPECT_EQ(haito->Text(1, 1).toStdString(), std::string(hr::TanshoPayouts_Combination.Of(payout, 0)));
  EXPECT_EQ(haito->Text(4, 1).toStdString(), umaren_hit.substr(0, 2) + "-" + umaren_hit.substr(2));

  GridTable* detail1 = grid("RACEDETAILGrid1");
  EXPECT_EQ(detail1->Text(0, 0).toStdString(), key);
  EXPECT_EQ(detail1->Text(0, 6).toStdString(), "馬名");
  EXPECT_EQ(detail1->Text(1, 2).toStdString(), "02");
  EXPECT_EQ(detail1->Text(2, 2).toStdString(), "01");
  EXPECT_EQ(detail1->Background(2, 2), QColor(255, 255, 0));
  EXPECT_TRUE(detail1->Text(1, 6).startsWith(QString::fromUtf8("ミホノテスト")));
  EXPECT_EQ(detail1->Text(4, 6).toStdString(), "");
  // The name cells show the name and the whole registration number, not the file's "EX.dat";
  // every cell and every heading fits its column on one line.
  for (GridTable* table : {detail1, grid("RACEDETAILGrid2")}) {
    SCOPED_TRACE(table->objectName().toStdString());
    const int name_column = table == detail1 ? 6 : 5;
    const QString shown = table->item(0, name_column)->text();
    EXPECT_TRUE(table->Text(1, name_column).endsWith("2021100001EX.dat"));
    EXPECT_TRUE(shown.endsWith("2021100001")) << shown.toStdString();
    const QFontMetrics cells(table->font());
    for (int c = 0; c < table->columnCount(); ++c) {
      int widest = 0;
      for (int r = 0; r < table->rowCount(); ++r) widest = std::max(widest, cells.horizontalAdvance(table->item(r, c)->text()));
      EXPECT_GE(table->columnWidth(c), widest + 6) << c;
      // The width the header needs to draw its heading on one line, whole.
      EXPECT_GE(table->columnWidth(c), table->horizontalHeader()->sectionSizeHint(c)) << table->Text(0, c).toStdString();
    }
  }
  GridTable* detail2 = grid("RACEDETAILGrid2");
  EXPECT_EQ(detail2->Text(0, 11).toStdString(), "前0残差");
  EXPECT_EQ(detail2->Text(1, 11).toStdString(), "0.5");
  EXPECT_EQ(detail2->Background(1, 11), QColor(0, 255, 0));

  // Tickets with the matrices' odds; the race's own payouts mark the hits.
  const auto lines = common::SplitLines(*common::ReadWholeFile(dir + "KAIME/" + key + "UMARENODDS.dat"));
  const int a = std::stoi(umaren_hit.substr(0, 2)), b = std::stoi(umaren_hit.substr(2));
  GridTable* umaren = grid("UMARENGrid1");
  EXPECT_EQ(umaren->Text(1, 2).toStdString(), lines[static_cast<size_t>(a * 19 + b)]);
  EXPECT_NE(umaren->Text(1, 2).toStdString(), "0");
  EXPECT_EQ(umaren->Background(1, 1), QColor(0, 255, 0));
  EXPECT_EQ(umaren->Background(2, 1), QColor(255, 255, 255));
  EXPECT_EQ(umaren->Text(3, 1).toStdString(), "");
  EXPECT_EQ(umaren->Text(1, 0).toStdString(), "本線　1 点目");
  EXPECT_EQ(grid("UMATANGrid2")->Text(1, 1).toStdString(), "01→02");
  EXPECT_EQ(grid("SANRENGrid3")->Text(1, 1).toStdString(), "01-02-03");
  GridTable* santan = grid("SANTANGrid4");
  EXPECT_TRUE(santan->Text(1, 1).startsWith(QString::fromUtf8(" 第1順"))) << santan->Text(1, 1).toStdString();
  EXPECT_EQ(santan->Background(1, 2), QColor(0, 255, 0));

  // Screenshots of every tab at the window's default size.
  QTabWidget* tabs = results.tabs();
  for (int t = 0; t < tabs->count(); ++t) {
    tabs->setCurrentIndex(t);
    EXPECT_TRUE(testing::SaveScreenshot(results, ("YOSOKEKKATHISWEEKNAZ_viewer" + std::to_string(t + 1)).c_str()));
  }

  // A click on a horse name keeps the cell and shows the single past-runs window; a click on
  // another cell keeps its text and shows nothing more.
  const auto past_runs_windows = [&] {
    int shown = 0;
    for (auto* w : window.findChildren<QWidget*>("Kakoso"))
      if (w->isVisible()) ++shown;
    return shown;
  };
  for (const char* horse : {"2021100001", "2021100002"})
    ASSERT_TRUE(common::WriteFileAtomic(dir + "UMAGOTOEXTHISWEEKN/" + horse + "EX.dat", "").ok());
  emit detail1->cellClicked(0, 6);
  EXPECT_EQ(window.State().SelectedHorseCell, detail1->Text(1, 6).toStdString());
  EXPECT_TRUE(window.State().SelectedHorseCell.ends_with("2021100001EX.dat"));
  ASSERT_EQ(past_runs_windows(), 1);
  EXPECT_EQ(window.findChild<QWidget*>("Kakoso")->windowTitle().toStdString(), "全過去走詳細  Ver.2024.6.29Z");
  emit grid("RACEDETAILGrid2")->cellClicked(1, 5);
  EXPECT_TRUE(window.State().SelectedHorseCell.ends_with("2021100002EX.dat"));
  EXPECT_EQ(past_runs_windows(), 1);
  emit detail1->cellClicked(0, 1);
  EXPECT_EQ(window.State().SelectedHorseCell, detail1->Text(1, 1).toStdString());
  EXPECT_EQ(past_runs_windows(), 1);
  // A horse name whose expanded-record file is gone opens nothing.
  for (auto* w : window.findChildren<QWidget*>("Kakoso")) w->close();
  ASSERT_EQ(past_runs_windows(), 0);
  fs::remove(dir + "UMAGOTOEXTHISWEEKN/2021100001EX.dat");
  emit detail1->cellClicked(0, 6);
  EXPECT_TRUE(window.State().SelectedHorseCell.ends_with("2021100001EX.dat"));
  EXPECT_EQ(past_runs_windows(), 0);
  emit grid("RACEDETAILGrid2")->cellClicked(1, 5);
  EXPECT_EQ(past_runs_windows(), 1);

  // A ticket file that is there but no file the viewer can read is shown to the user, named.
  const std::string fifo = dir + "KAIME/" + key + "UMARENSORT.dat";
  fs::remove(fifo);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  window.messages.clear();
  list1->setCurrentRow(item == 0 ? 1 : 0);
  list1->setCurrentRow(item);
  EXPECT_FALSE(results.viewer_failures().empty());
  ASSERT_FALSE(window.messages.empty());
  EXPECT_NE(window.messages.back().find(std::string(viewer::kChooseRaceFailureHeading)), std::string::npos);
  EXPECT_NE(window.messages.back().find(fifo), std::string::npos) << window.messages.back();

  for (auto* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isWindow()) w->close();
  fs::remove_all(base);
}

}  // namespace
}  // namespace radadovur::ui
