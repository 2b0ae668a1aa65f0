// The three factor weight windows on the demo week's model package: opened from the main
// window's buttons, their grids, legends and age charts, and a model that does not load.
#include "ui/factors/factor_weight_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <filesystem>

#include "jvlink/null_jv_link.h"
#include "support/qt_app.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"
#include "ui/main/workflow_steps.h"
#include "ui/quiet_main_window.h"

namespace radadovur::ui {
namespace {

using factors::ModelSurface;

class FactorWeightWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::QtApp();
    folder_ = new testing::TempFolder("rdv_factor_windows");
    ASSERT_EQ(testing::RunCli("demo '" + folder_->path() + "'").exit_code, 0);
  }
  static void TearDownTestSuite() { delete folder_; }
  static factors::FactorView View(ModelSurface s) {
    factors::FactorView view;
    EXPECT_TRUE(factors::LoadFactorView(folder_->app_path(), s, view).ok());
    return view;
  }
  static void DeleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  static inline testing::TempFolder* folder_ = nullptr;
};

template <typename T>
T* Child(QWidget& window, const std::string& name) {
  auto* child = window.findChild<T*>(QString::fromStdString(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

TEST_F(FactorWeightWindowTest, EachWindowShowsItsGridsLegendAndAgeCharts) {
  struct Case {
    ModelSurface surface;
    const char* window;
    const char* year_grid;
    const char* legend;
    const char* inner_tab;
    const char* male, *female;
    int chart_rows;
    const char* age_box;
  };
  for (const Case& c : {Case{ModelSurface::kTurf, "FactorTURFA", "YearTurfFG", "TurfBonreiFG", "SSTab3", "MaleAgeChart", "FemaleAgeChart", 33, "Text6"},
                        Case{ModelSurface::kDirt, "FactorDIRTA", "YearDirtFG", "DirtBonreiFG", "SSTab3", "MaleAgeChart", "FemaleAgeChart", 33, "Text6"},
                        Case{ModelSurface::kHurdle, "FactorHURDA", "YearHurdFG", "shogBonreiFG", "SSTab5", "MaleAgeShogChart", "FemaleAgeShogChart", 20, "Text16"}}) {
    const factors::FactorView view = View(c.surface);
    FactorWeightWindow window(view);
    window.show();
    EXPECT_EQ(window.objectName().toStdString(), c.window);
    EXPECT_EQ(window.windowTitle().toStdString(), factors::WindowLayout(c.surface).caption);

    auto* tabs = Child<QTabWidget>(window, "SSTab1");
    ASSERT_EQ(tabs->count(), 30);
    EXPECT_EQ(tabs->currentIndex(), 1);  // tab 2 in front
    EXPECT_EQ(tabs->tabText(11).toStdString(), factors::ItemTabs()[12].caption[factors::WindowIndex(c.surface)]);

    // Row 0 is the header; the table's rows are the categories.
    auto* year = Child<QTableWidget>(window, c.year_grid);
    const factors::Grid& grid = view.items[1];
    ASSERT_EQ(year->rowCount(), grid.rows - 1);
    EXPECT_EQ(year->horizontalHeaderItem(4)->text().toStdString(), "延出走数");
    EXPECT_EQ(year->item(0, 0)->text().toStdString(), grid.Cell(1, 0));
    EXPECT_EQ(year->item(1, 3)->text().toStdString(), grid.Cell(2, 3));
    EXPECT_EQ(year->item(grid.rows - 2, 5)->text().toStdString(), std::to_string(grid.rows - 1));
    const std::string place_grid(factors::ItemTabs()[2].grid[factors::WindowIndex(c.surface)]);
    EXPECT_EQ(Child<QTableWidget>(window, place_grid)->columnWidth(0), 80);  // 1200 twips

    auto* legend = Child<QTableWidget>(window, c.legend);
    EXPECT_EQ(legend->item(0, 0)->text().toStdString(), view.legend.Cell(0, 0));
    EXPECT_EQ(legend->item(0, 1)->background().color(), QColor(0, 255, 0));
    EXPECT_EQ(legend->columnWidth(3), c.surface == ModelSurface::kHurdle ? 400 : 166);

    EXPECT_EQ(Child<QTabWidget>(window, c.inner_tab)->currentIndex(), 2);
    EXPECT_EQ(Child<QPlainTextEdit>(window, c.age_box)->toPlainText().toStdString(), factors::kAgeChartText);
    for (const char* name : {c.male, c.female}) {
      QChart* chart = Child<QChartView>(window, name)->chart();
      ASSERT_EQ(chart->series().size(), 3);
      auto* agari = qobject_cast<QLineSeries*>(chart->series()[0]);
      EXPECT_EQ(agari->count(), c.chart_rows);
      EXPECT_EQ(agari->name().toStdString(), "上がり");
      EXPECT_EQ(agari->pen().color(), QColor(255, 0, 0));
      auto* axis = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).front());
      EXPECT_EQ(axis->min(), -2.5);
      EXPECT_EQ(axis->max(), 2.5);
      EXPECT_EQ(axis->tickCount(), 11);
    }
    const factors::AgeChart& female = view.female;
    EXPECT_FLOAT_EQ(qobject_cast<QLineSeries*>(Child<QChartView>(window, c.female)->chart()->series()[2])->at(0).y(),
                    female.series[2].values[0]);

    const std::string name = c.window;
    EXPECT_TRUE(testing::SaveScreenshot(window, (name + "_grid").c_str()));
    tabs->setCurrentIndex(11);
    auto* inner = Child<QTabWidget>(window, c.inner_tab);
    inner->setCurrentIndex(0);
    EXPECT_TRUE(testing::SaveScreenshot(window, (name + "_male").c_str()));
    inner->setCurrentIndex(1);
    EXPECT_TRUE(testing::SaveScreenshot(window, (name + "_female").c_str()));
  }
}

// Three curves apart, one weight beyond the fixed axis: a model of item 12 alone.
TEST_F(FactorWeightWindowTest, AgeCurvesOfAHandMadeModel) {
  engine::SurfaceModel model;
  model.category_total[12] = 66;
  for (auto* table : {&model.agari_weight[12], &model.pace_weight[12], &model.soha_weight[12]}) table->assign(67, 0);
  model.category_code[12].assign(67, "");
  for (size_t p = 1; p <= 66; ++p) {
    const float age = static_cast<float>((p - 1) % 33);
    model.agari_weight[12][p] = -1.5f + 0.08f * age;
    model.pace_weight[12][p] = 1.0f - 0.05f * age;
    model.soha_weight[12][p] = p > 33 ? -0.3f : 0.2f;
  }
  model.agari_weight[12][20] = 3.0f;
  FactorWeightWindow window(factors::ViewOf(ModelSurface::kDirt, model));
  window.show();
  Child<QTabWidget>(window, "SSTab1")->setCurrentIndex(11);
  Child<QTabWidget>(window, "SSTab3")->setCurrentIndex(0);
  auto* axis = qobject_cast<QValueAxis*>(Child<QChartView>(window, "MaleAgeChart")->chart()->axes(Qt::Vertical).front());
  EXPECT_EQ(axis->max(), 2.5);
  EXPECT_TRUE(testing::SaveScreenshot(window, "FactorDIRTA_handmade_male"));
}

TEST_F(FactorWeightWindowTest, ExplanationBoxesHoldTheirTexts) {
  FactorWeightWindow hurdle(View(ModelSurface::kHurdle));
  EXPECT_EQ(Child<QPlainTextEdit>(hurdle, "Text7")->toPlainText().toStdString(), "");  // item 3: none written
  EXPECT_EQ(Child<QPlainTextEdit>(hurdle, "Text6")->toPlainText().toStdString(),
            factors::ExplanationText(ModelSurface::kHurdle, 2));
  FactorWeightWindow turf(View(ModelSurface::kTurf));
  EXPECT_EQ(Child<QPlainTextEdit>(turf, "Text11")->toPlainText().toStdString(),
            "数値の単位は時速(Km/hr)です。所謂定数です。時速55Kmから58Km辺りの数字を示します。");
  EXPECT_EQ(turf.findChildren<QPlainTextEdit*>().size(), 30);
  EXPECT_EQ(hurdle.findChildren<QPlainTextEdit*>().size(), 27);
}

TEST_F(FactorWeightWindowTest, ButtonsShowOneWindowEachAndAFailedLoadShowsNone) {
  jvlink::NullJvLink link;
  testing::QuietMainWindow main(folder_->app_path(), link);
  ConnectWorkflowSteps(main);
  auto open = [&](const char* name) {
    QWidget* found = nullptr;
    for (auto* w : main.findChildren<QWidget*>(name, Qt::FindDirectChildrenOnly))
      if (w->isWindow() && w->isVisible()) found = w;
    return found;
  };
  for (const char* button : {"Command5", "Command9", "Command10"}) main.findChild<QAbstractButton*>(button)->click();
  QPointer<QWidget> turf = open("FactorTURFA");
  ASSERT_TRUE(turf);
  ASSERT_TRUE(open("FactorDIRTA"));
  ASSERT_TRUE(open("FactorHURDA"));
  main.findChild<QAbstractButton*>("Command5")->click();  // brought forward, not read again
  EXPECT_EQ(open("FactorTURFA"), turf.data());
  EXPECT_EQ(main.findChildren<QWidget*>("FactorTURFA", Qt::FindDirectChildrenOnly).size(), 1);

  // Closed, the window goes; the next click reads the model again, which is now gone.
  turf->close();
  DeleteClosed();
  EXPECT_FALSE(turf);
  const std::string soha = folder_->app_path() + engine::ModelFileName(ModelSurface::kTurf, engine::ModelFile::kSoha);
  std::filesystem::rename(soha, soha + ".away");
  main.findChild<QAbstractButton*>("Command5")->click();
  std::filesystem::rename(soha + ".away", soha);
  EXPECT_EQ(open("FactorTURFA"), nullptr);
  ASSERT_EQ(main.messages.size(), 1u);
  EXPECT_NE(main.messages[0].find("QA1SibaSohaWeightData201801N2024.dat"), std::string::npos) << main.messages[0];
  main.findChild<QAbstractButton*>("Command5")->click();
  EXPECT_NE(open("FactorTURFA"), nullptr);
  EXPECT_EQ(main.messages.size(), 1u);
}

}  // namespace
}  // namespace radadovur::ui
