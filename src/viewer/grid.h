#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A grid of the race viewer as plain data: texts and background colours cell by cell, row 0 and
// column 0 the fixed (heading) cells, sizes in twips as the window design gives them. The window
// copies a grid into its table widget; the command line prints it; tests read it.
namespace radadovur::viewer {

// The named colours of the classic palette that the viewer uses.
enum class Colour : uint8_t { kWhite, kLightBlue, kLightGreen, kLightCyan, kLightRed, kLightMagenta, kLightYellow };

// "white", "light green", ...
std::string_view ColourName(Colour colour);
// 0xRRGGBB.
uint32_t ColourRgb(Colour colour);

struct Cell {
  std::string text;  // UTF-8
  Colour colour = Colour::kWhite;
};

// A column width or row height the design leaves as it is.
inline constexpr int kDesignSize = 0;

struct Grid {
  Grid(std::string grid_name, int row_count, int column_count);

  std::string name;
  int rows;
  int columns;
  std::vector<Cell> cells;        // row-major
  std::vector<int> column_width;  // twips, kDesignSize where the design decides
  int row0_height = kDesignSize;  // twips

  // Cells outside the grid are ignored (write) or empty (read).
  void Set(int r, int c, std::string text);
  void Paint(int r, int c, Colour colour);
  const std::string& Text(int r, int c) const;
  Colour ColourAt(int r, int c) const;
  // Empties and whitens columns first..last of rows first..last.
  void Clear(int first_row, int last_row, int first_column, int last_column);

 private:
  bool Inside(int r, int c) const { return r >= 0 && r < rows && c >= 0 && c < columns; }
  Cell& At(int r, int c) { return cells[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)]; }
};

}  // namespace radadovur::viewer
