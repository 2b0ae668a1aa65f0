#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/weight_model.h"
#include "factors/factor_windows.h"

// What the factor weight windows' grids hold, cell by cell: the legend grid below the tabs and
// the grid of each factor item's categories with their weights, sample counts and positions.
namespace radadovur::factors {

// A grid as the window shows it: rows of cells (row 0 included), the fixed (header-style) rows
// and columns, the widths in twips that are set (others are the window's), the cells' back
// colours as RGB (none: the grid's own). Texts are UTF-8.
struct Grid {
  int rows = 0, columns = 0;
  int fixed_rows = 0, fixed_columns = 0;
  std::vector<std::vector<std::string>> cells;         // [row][column]
  std::vector<std::optional<int>> column_width_twips;  // per column
  std::vector<std::vector<std::optional<uint32_t>>> back_rgb;

  const std::string& Cell(int row, int column) const {
    return cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
  }
};

// The colours of the three speeds: the legend's cells and the age curves.
inline constexpr uint32_t kAgariRgb = 0xFF0000;  // light red
inline constexpr uint32_t kPaceRgb = 0x00FF00;   // light green
inline constexpr uint32_t kSohaRgb = 0x0000FF;   // light blue

// The legend grid of the surface's window.
Grid LegendGrid(ModelSurface surface);

// The grid of factor item `item` (1..30) in the surface's window: the header row, then one row per
// category of the model in model order: code, the three weights, sample count, position.
Grid ItemGrid(ModelSurface surface, const engine::SurfaceModel& model, int item);

}  // namespace radadovur::factors
