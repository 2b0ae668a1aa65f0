#include "factors/factor_grids.h"

#include <array>

#include "common/convert.h"
#include "common/cp932.h"

namespace radadovur::factors {
namespace {

Grid Empty(int rows, int columns, int fixed_rows, int fixed_columns) {
  Grid g;
  g.rows = rows;
  g.columns = columns;
  g.fixed_rows = fixed_rows;
  g.fixed_columns = fixed_columns;
  g.cells.assign(static_cast<size_t>(rows), std::vector<std::string>(static_cast<size_t>(columns)));
  g.column_width_twips.assign(static_cast<size_t>(columns), std::nullopt);
  g.back_rgb.assign(static_cast<size_t>(rows), std::vector<std::optional<uint32_t>>(static_cast<size_t>(columns)));
  return g;
}

constexpr std::array<const char*, 6> kItemHeader = {"コード番号", "上がり速度", "ペース速度", "走破速度", "延出走数", "参照番地"};

}  // namespace

Grid LegendGrid(ModelSurface surface) {
  const bool hurdle = surface == ModelSurface::kHurdle;
  // The hurdle legend has a second row under fixed first row and column; it is one row high, so
  // the second row never shows.
  Grid g = hurdle ? Empty(2, 4, 1, 1) : Empty(1, 4, 0, 0);
  const std::array<uint32_t, 3> colours = {kAgariRgb, kPaceRgb, kSohaRgb};
  for (size_t c = 0; c < 3; ++c) g.back_rgb[0][c] = colours[c];
  if (hurdle) {
    g.column_width_twips = {2000, 2000, 2000, 6000};
    g.cells[0] = {"走破（１F平均）影響速度", "走破（１F平均）影響速度", "走破（１F平均）影響速度",
                  "単位はKm/hr(時速)、3つにしているのは計算精度チェックの為"};
  } else {
    g.column_width_twips = {2500, 3000, 3000, 2500};
    g.cells[0] = {"上がり(ゴール前3F）影響速度", "ペース(スタートから3F地点）影響速度", "走破(スタートからゴール）影響速度",
                  "縦軸の単位はKm/hr(時速)"};
  }
  return g;
}

Grid ItemGrid(ModelSurface surface, const engine::SurfaceModel& model, int item) {
  const int total = item >= 1 && item <= kFactorItems ? model.category_total[static_cast<size_t>(item)] : 0;
  // Item 6 has no header-style code column in turf and dirt, and a seventh, empty column in dirt
  // and hurdle; the hurdle grid of item 20 has no header-style column either.
  int columns = 6, fixed_columns = 1;
  if (item == 6) {
    columns = surface == ModelSurface::kTurf ? 6 : 7;
    fixed_columns = surface == ModelSurface::kHurdle ? 1 : 0;
  } else if (item == 20 && surface == ModelSurface::kHurdle) {
    fixed_columns = 0;
  }
  Grid g = Empty(total + 1, columns, 1, fixed_columns);
  if (item == 2) g.column_width_twips[0] = 1200;
  for (size_t c = 0; c < kItemHeader.size(); ++c) g.cells[0][c] = kItemHeader[c];
  for (int j = 1; j <= total; ++j) {
    auto& row = g.cells[static_cast<size_t>(j)];
    row[0] = common::DisplayText(model.CategoryCode(item, j));  // the package is code page 932
    row[1] = common::ThreeDecimals(model.AgariWeight(item, j));
    row[2] = common::ThreeDecimals(model.PaceWeight(item, j));
    row[3] = common::ThreeDecimals(model.SohaWeight(item, j));
    row[4] = std::to_string(model.CategorySamples(item, j));
    row[5] = std::to_string(j);
  }
  return g;
}

}  // namespace radadovur::factors
