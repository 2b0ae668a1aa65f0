// The factor weight windows' contents on hand-made models: the grids cell by cell, the number
// form of the weights, the per-window deviations, the age charts and the load's failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp932.h"
#include "engine/model_fixture.h"
#include "factors/factor_view.h"

namespace radadovur::factors {
namespace {

using engine::ModelFile;
using engine::ModelFileName;
using engine::testing::FixtureCategory;
using engine::testing::TempProgramFolder;
using engine::testing::WriteModel;
using Rows = std::vector<std::vector<std::string>>;

FactorView Load(const TempProgramFolder& folder, ModelSurface surface) {
  FactorView view;
  const common::Status loaded = LoadFactorView(folder.app_path(), surface, view);
  EXPECT_TRUE(loaded.ok()) << loaded.ToString();
  return view;
}

TEST(FactorViewTest, ItemGridsListEveryCategoryInModelOrder) {
  TempProgramFolder folder;
  WriteModel(folder, ModelSurface::kTurf,
             {{1, "2019", "61.5", "60.25", "61", "8123"},
              {1, "2025", "0", "0", "0", "0"},
              {3, "007 ", "-1.2345", "-0.0004", "0.0004", "0"},
              {3, "-12", "25", "57.12345", "-25", "2147483647"},
              {12, "127", "3.5", "-0.6", "0.1", "40"}});
  const FactorView view = Load(folder, ModelSurface::kTurf);

  const Grid& year = view.items[1];
  EXPECT_EQ(year.cells, (Rows{{"コード番号", "上がり速度", "ペース速度", "走破速度", "延出走数", "参照番地"},
                              {"2019", "61.5", "60.25", "61", "8123", "1"},
                              {"2025", "0", "0", "0", "0", "2"}}));
  EXPECT_EQ(year.fixed_rows, 1);
  EXPECT_EQ(year.fixed_columns, 1);
  // Codes as stored, blanks and zeros kept; weights of any size; a category with no samples.
  EXPECT_EQ(view.items[3].cells, (Rows{{"コード番号", "上がり速度", "ペース速度", "走破速度", "延出走数", "参照番地"},
                                       {"007 ", "-1.235", "-0.001", "0", "0", "1"},
                                       {"-12", "25", "57.123", "-25", "2147483647", "2"}}));
  // An item without categories has its header row alone; item 2's code column is 1200 twips
  // wide even then, and no other width is set.
  const Grid& place = view.items[2];
  EXPECT_EQ(place.rows, 1);
  EXPECT_EQ(place.cells.size(), 1u);
  EXPECT_EQ(place.column_width_twips[0], 1200);
  for (int k = 1; k <= kFactorItems; ++k)
    for (int c = 0; c < view.items[static_cast<size_t>(k)].columns; ++c)
      if (k != 2 || c != 0) {
        EXPECT_FALSE(view.items[static_cast<size_t>(k)].column_width_twips[static_cast<size_t>(c)]) << k;
      }
}

// Values past the counts are values out of place (a line end inside a value adds one): the
// window refuses the file, naming it and the line the surplus starts on.
TEST(FactorViewTest, SurplusValuesRefuseTheFileAndAnEmptyItemShiftsNothing) {
  TempProgramFolder folder;
  WriteModel(folder, ModelSurface::kDirt, {{1, "2020", "1", "2", "3", "4"}, {4, "55  ", "5", "6", "7", "8"}});
  const FactorView view = Load(folder, ModelSurface::kDirt);
  EXPECT_EQ(view.items[4].cells[1], (std::vector<std::string>{"55  ", "5", "6", "7", "8", "1"}));
  EXPECT_EQ(view.items[5].rows, 1);
  const std::string pace = ModelFileName(ModelSurface::kDirt, ModelFile::kPace);
  folder.Write(pace, *common::ReadWholeFile(folder.app_path() + pace) + "99\r\n98\r\n");
  FactorView refused;
  const common::Status loaded = LoadFactorView(folder.app_path(), ModelSurface::kDirt, refused);
  EXPECT_TRUE(loaded.IsIoError());
  EXPECT_EQ(loaded.path(), folder.app_path() + pace);
  EXPECT_EQ(loaded.ToString(), folder.app_path() + pace + ": 値が 4 個あります（2 個のはずです。3 行目から余分です）");
}

// Item 6's and item 20's layouts differ by window; every other grid has six columns, the code
// column header-style.
TEST(FactorViewTest, ItemSixAndTwentyDeviatePerWindow) {
  struct Case {
    ModelSurface surface;
    int item, columns, fixed_columns;
  };
  const std::vector<Case> cases = {
      {ModelSurface::kTurf, 6, 6, 0},   {ModelSurface::kDirt, 6, 7, 0},   {ModelSurface::kHurdle, 6, 7, 1},
      {ModelSurface::kTurf, 20, 6, 1},  {ModelSurface::kDirt, 20, 6, 1},  {ModelSurface::kHurdle, 20, 6, 0},
      {ModelSurface::kHurdle, 5, 6, 1}, {ModelSurface::kTurf, 12, 6, 1},
  };
  engine::SurfaceModel model;
  model.category_total[6] = 1;
  model.category_code[6] = {"", "A  1"};
  model.soha_weight[6] = {0, 1.5f};
  for (const Case& c : cases) {
    const Grid g = ItemGrid(c.surface, model, c.item);
    EXPECT_EQ(g.columns, c.columns) << c.item;
    EXPECT_EQ(g.fixed_columns, c.fixed_columns) << c.item;
    for (const auto& row : g.cells) ASSERT_EQ(row.size(), static_cast<size_t>(c.columns));
    if (c.columns == 7) {
      EXPECT_EQ(g.Cell(0, 6), "");
      EXPECT_EQ(g.Cell(1, 6), "");
      EXPECT_EQ(g.Cell(1, 3), "1.5");
    }
  }
}

TEST(FactorViewTest, TheHurdleWindowShowsItsOneWeightFileInAllThreeColumns) {
  TempProgramFolder folder;
  WriteModel(folder, ModelSurface::kHurdle,
             {{1, "2019", "52.8", "52.8", "52.8", "900"}, {12, "140", "-1.2345", "-1.2345", "-1.2345", "3"}});
  const FactorView view = Load(folder, ModelSurface::kHurdle);
  for (int k : {1, 12})
    for (int r = 1; r < view.items[static_cast<size_t>(k)].rows; ++r) {
      const Grid& g = view.items[static_cast<size_t>(k)];
      EXPECT_EQ(g.Cell(r, 1), g.Cell(r, 3));
      EXPECT_EQ(g.Cell(r, 2), g.Cell(r, 3));
    }
  EXPECT_EQ(view.items[12].Cell(1, 1), "-1.235");
  EXPECT_EQ(view.male.series[0].values, view.male.series[2].values);
  EXPECT_EQ(view.male.series[1].values, view.male.series[2].values);
}

TEST(FactorViewTest, LegendGridsPerWindow) {
  const Grid turf = LegendGrid(ModelSurface::kDirt);
  EXPECT_EQ(turf.cells, (Rows{{"上がり(ゴール前3F）影響速度", "ペース(スタートから3F地点）影響速度",
                               "走破(スタートからゴール）影響速度", "縦軸の単位はKm/hr(時速)"}}));
  EXPECT_EQ(turf.column_width_twips, (std::vector<std::optional<int>>{2500, 3000, 3000, 2500}));
  EXPECT_EQ(turf.back_rgb[0], (std::vector<std::optional<uint32_t>>{0xFF0000u, 0x00FF00u, 0x0000FFu, std::nullopt}));
  const Grid hurdle = LegendGrid(ModelSurface::kHurdle);
  EXPECT_EQ(hurdle.rows, 2);
  EXPECT_EQ(hurdle.fixed_rows, 1);
  EXPECT_EQ(hurdle.fixed_columns, 1);
  EXPECT_EQ(hurdle.Cell(0, 0), "走破（１F平均）影響速度");
  EXPECT_EQ(hurdle.Cell(0, 3), "単位はKm/hr(時速)、3つにしているのは計算精度チェックの為");
  EXPECT_EQ(hurdle.column_width_twips, (std::vector<std::optional<int>>{2000, 2000, 2000, 6000}));
  EXPECT_EQ(hurdle.back_rgb[0], turf.back_rgb[0]);
}

// Item 12's categories by position: turf males 1..33 and females 34..66 for month-ages 27..59;
// hurdle males 1..20 and females 21..40 for 40..59. Positions past the count read 0.
TEST(AgeChartTest, ChartsTakeItemTwelveByPositionWithAFixedAxis) {
  engine::SurfaceModel model;
  model.category_total[12] = 40;
  for (auto* table : {&model.agari_weight[12], &model.pace_weight[12], &model.soha_weight[12]}) table->assign(41, 0);
  for (int p = 1; p <= 40; ++p) {
    model.agari_weight[12][static_cast<size_t>(p)] = static_cast<float>(p);
    model.pace_weight[12][static_cast<size_t>(p)] = -static_cast<float>(p);
    model.soha_weight[12][static_cast<size_t>(p)] = 0.01f * static_cast<float>(p);
  }
  const AgeChart male = AgeChartOf(ModelSurface::kTurf, model, Sex::kMale);
  EXPECT_EQ(male.name, "MaleAgeChart");
  ASSERT_EQ(male.row_labels.size(), 33u);
  EXPECT_EQ(male.row_labels.front(), "27");
  EXPECT_EQ(male.row_labels.back(), "59");
  EXPECT_EQ(male.series[0].values[32], 33.0f);  // far outside the axis, which stays fixed
  EXPECT_EQ(male.axis_min, -2.5);
  EXPECT_EQ(male.axis_max, 2.5);
  EXPECT_EQ(male.axis_divisions, 10);
  std::vector<std::string> labels;
  std::vector<uint32_t> colours;
  for (const AgeSeries& s : male.series) {
    labels.push_back(s.label);
    colours.push_back(s.rgb);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"上がり", "ペース", "走破"}));
  EXPECT_EQ(colours, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));

  const AgeChart female = AgeChartOf(ModelSurface::kDirt, model, Sex::kFemale);
  EXPECT_EQ(female.name, "FemaleAgeChart");
  EXPECT_EQ(female.series[0].values[0], 34.0f);
  EXPECT_EQ(female.series[1].values[6], -40.0f);
  EXPECT_EQ(female.series[2].values[0], 0.34f);  // full single precision
  EXPECT_EQ(female.series[0].values[7], 0.0f);   // position 41: past the count
  EXPECT_EQ(female.series[2].values[32], 0.0f);

  const AgeChart hurdle_male = AgeChartOf(ModelSurface::kHurdle, model, Sex::kMale);
  const AgeChart hurdle_female = AgeChartOf(ModelSurface::kHurdle, model, Sex::kFemale);
  EXPECT_EQ(hurdle_male.name, "MaleAgeShogChart");
  EXPECT_EQ(hurdle_female.name, "FemaleAgeShogChart");
  ASSERT_EQ(hurdle_female.row_labels.size(), 20u);
  EXPECT_EQ(hurdle_female.row_labels.front(), "40");
  EXPECT_EQ(hurdle_male.series[0].values.back(), 20.0f);
  EXPECT_EQ(hurdle_female.series[0].values.front(), 21.0f);
  EXPECT_EQ(hurdle_female.series[0].values.back(), 40.0f);
}

TEST(FactorViewTest, AModelThatDoesNotLoadNamesItsFileAndLeavesTheViewAsItWas) {
  struct Case {
    const char* what;
    ModelFile file;
    std::string bytes;  // empty: the file is removed
  };
  const std::vector<Case> cases = {
      {"missing weight file", ModelFile::kPace, ""},
      {"fewer than 30 counts", ModelFile::kTotal, "1,0,0\r\n"},
      {"fewer codes than counts", ModelFile::kCategory, "\"2019\"\r\n"},
      {"a count above 6000", ModelFile::kTotal, "2,0,0,0,0,0,0,0,0,0,0,6001,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"},
  };
  for (const Case& c : cases) {
    TempProgramFolder folder;
    WriteModel(folder, ModelSurface::kTurf, {{1, "2019", "1", "2", "3", "4"}, {1, "2020", "1", "2", "3", "4"}});
    const std::string path = folder.app_path() + ModelFileName(ModelSurface::kTurf, c.file);
    if (c.bytes.empty())
      std::filesystem::remove(path);
    else
      folder.Write(ModelFileName(ModelSurface::kTurf, c.file), c.bytes);
    FactorView view;
    view.legend.rows = 77;
    const common::Status loaded = LoadFactorView(folder.app_path(), ModelSurface::kTurf, view);
    EXPECT_FALSE(loaded.ok()) << c.what;
    EXPECT_NE(loaded.ToString().find(ModelFileName(ModelSurface::kTurf, c.file)), std::string::npos)
        << c.what << ": " << loaded.ToString();
    EXPECT_EQ(view.legend.rows, 77) << c.what;
  }
}

TEST(FactorViewTest, TheCodeTableIsNotNeeded) {
  TempProgramFolder folder;  // no JRACODE folder at all
  WriteModel(folder, ModelSurface::kTurf, {{1, "2019", "1", "2", "3", "4"}});
  EXPECT_EQ(Load(folder, ModelSurface::kTurf).items[1].rows, 2);
}

}  // namespace
}  // namespace radadovur::factors
