#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A grid as a window shows it, as plain data: texts (UTF-8), back and text colours per cell and
// column widths. A colour that is not set is the grid's standard colour for the cell.
namespace radadovur::history {

// Colours (0xRRGGBB) of the standard palette that the history windows use.
inline constexpr uint32_t kBlue = 0x000080;
inline constexpr uint32_t kLightBlue = 0x0000FF;
inline constexpr uint32_t kLightGreen = 0x00FF00;
inline constexpr uint32_t kLightCyan = 0x00FFFF;
inline constexpr uint32_t kLightRed = 0xFF0000;
inline constexpr uint32_t kLightMagenta = 0xFF00FF;
inline constexpr uint32_t kLightYellow = 0xFFFF00;
inline constexpr uint32_t kBrightWhite = 0xFFFFFF;

struct GridCell {
  std::string text;
  std::optional<uint32_t> back;
  std::optional<uint32_t> fore;
};

struct Grid {
  Grid() = default;
  Grid(int rows, int columns, int fixed_rows, int fixed_columns);

  GridCell& At(int row, int column) { return cells[static_cast<size_t>(row * columns + column)]; }
  const GridCell& At(int row, int column) const { return cells[static_cast<size_t>(row * columns + column)]; }
  const std::string& Text(int row, int column) const { return At(row, column).text; }
  // Sets a cell's text when the cell exists; a place outside the grid is dropped.
  void Put(int row, int column, std::string text);
  void SetWidth(int column, int twips) { column_width_twips[static_cast<size_t>(column)] = twips; }

  int rows = 0;
  int columns = 0;
  int fixed_rows = 0;
  int fixed_columns = 0;
  std::vector<GridCell> cells;
  std::vector<std::optional<int>> column_width_twips;  // unset: the grid's designed width
};

}  // namespace radadovur::history
