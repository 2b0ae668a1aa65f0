// The factor weight windows' contents on the demo week's model package, and the command line
// that prints them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/convert.h"
#include "common/text_file.h"
#include "factors/factor_view.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace radadovur::factors {
namespace {

using ::radadovur::testing::RunCli;

class DemoViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new ::radadovur::testing::TempFolder("radadovur_factors_demo");
    const auto demo = RunCli("demo '" + folder_->path() + "'");
    ASSERT_EQ(demo.exit_code, 0) << demo.out;
  }
  static void TearDownTestSuite() { delete folder_; }
  static FactorView View(ModelSurface s) {
    FactorView view;
    const common::Status loaded = LoadFactorView(folder_->app_path(), s, view);
    EXPECT_TRUE(loaded.ok()) << loaded.ToString();
    return view;
  }
  static inline ::radadovur::testing::TempFolder* folder_ = nullptr;
};

// Every item's grid has one row per category of the TotalData file, numbered in order.
TEST_F(DemoViewTest, EveryGridListsItsItemsCategories) {
  for (ModelSurface s : engine::kModelSurfaces) {
    const FactorView view = View(s);
    const auto totals = common::ReadWholeFile(folder_->app_path() + engine::ModelFileName(s, engine::ModelFile::kTotal));
    ASSERT_TRUE(totals);
    common::CsvItemReader reader(*totals);
    for (int k = 1; k <= kFactorItems; ++k) {
      std::string count;
      ASSERT_TRUE(reader.Next(count));
      const Grid& g = view.items[static_cast<size_t>(k)];
      ASSERT_EQ(g.rows, *common::WholeNumber(count) + 1) << k;
      EXPECT_GT(g.rows, 1) << k;
      EXPECT_EQ(g.Cell(g.rows - 1, 5), std::to_string(g.rows - 1));
      if (s == ModelSurface::kHurdle) {
        for (int r = 1; r < g.rows; ++r) ASSERT_EQ(g.Cell(r, 1), g.Cell(r, 3));
      }
    }
  }
}

// The demo model lists item 12 by sex digit and month-age, males first: each chart row's
// position holds the category of its own sex and month-age.
TEST_F(DemoViewTest, AgeChartRowsMeetTheirOwnSexAndMonthAge) {
  for (ModelSurface s : engine::kModelSurfaces) {
    engine::SurfaceModel model;
    std::string error;
    ASSERT_TRUE(engine::LoadSurfaceModel(folder_->app_path(), s, engine::kModelAll, model, &error)) << error;
    const FactorView view = ViewOf(s, model);
    const int rows = s == ModelSurface::kHurdle ? 20 : 33;
    for (const auto& [chart, sex] : {std::pair{&view.male, '1'}, std::pair{&view.female, '2'}}) {
      ASSERT_EQ(chart->row_labels.size(), static_cast<size_t>(rows));
      for (int r = 0; r < rows; ++r) {
        const int p = (sex == '1' ? 1 : 1 + rows) + r;
        EXPECT_EQ(std::string(model.CategoryCode(kAgeItem, p)).substr(0, 3), sex + chart->row_labels[static_cast<size_t>(r)]);
        EXPECT_EQ(chart->series[1].values[static_cast<size_t>(r)], model.PaceWeight(kAgeItem, p));
      }
    }
  }
}

TEST_F(DemoViewTest, TheCommandLinePrintsAnItemsGrid) {
  const auto out = RunCli("factors '" + folder_->path() + "' dirt 9");
  ASSERT_EQ(out.exit_code, 0) << out.out;
  const FactorView view = View(ModelSurface::kDirt);
  const Grid& g = view.items[9];
  std::string expected = "F9 経験レース数\n";
  for (int r = 0; r < g.rows; ++r) {
    for (int c = 0; c < g.columns; ++c) expected += (c ? "\t" : "") + g.Cell(r, c);
    expected += "\n";
  }
  expected += std::string(ExplanationText(ModelSurface::kDirt, 9)) + "\n";
  EXPECT_EQ(out.out, expected);

  const auto age = RunCli("factors '" + folder_->path() + "' hurdle 12");
  ASSERT_EQ(age.exit_code, 0) << age.out;
  EXPECT_NE(age.out.find("FemaleAgeShogChart\n月齢\t上がり\tペース\t走破\n40\t"), std::string::npos) << age.out;

  EXPECT_EQ(RunCli("factors '" + folder_->path() + "' turf 31").exit_code, 2);
  EXPECT_EQ(RunCli("factors '" + folder_->path() + "' grass 1").exit_code, 2);
  const auto no_folder = RunCli("factors /nonexistent/folder turf 1");
  EXPECT_EQ(no_folder.exit_code, 1);
  EXPECT_NE(no_folder.out.find("プログラムのフォルダ「/nonexistent/folder」がありません"), std::string::npos) << no_folder.out;
  testing::TempFolder empty("rdv_factors_no_model");
  const auto missing = RunCli("factors '" + empty.path() + "' turf 1");
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.out.find("QA1SibaTotalData201801N2024.dat"), std::string::npos) << missing.out;
}

}  // namespace
}  // namespace radadovur::factors
