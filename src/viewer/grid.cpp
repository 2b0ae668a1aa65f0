#include "viewer/grid.h"

#include <array>

namespace radadovur::viewer {
namespace {

struct Named {
  std::string_view name;
  uint32_t rgb;
};
constexpr std::array<Named, 7> kPalette = {{{"白", 0xFFFFFF},
                                           {"青", 0x0000FF},
                                           {"緑", 0x00FF00},
                                           {"水色", 0x00FFFF},
                                           {"赤", 0xFF0000},
                                           {"赤紫", 0xFF00FF},
                                           {"黄", 0xFFFF00}}};

}  // namespace

std::string_view ColourName(Colour colour) { return kPalette[static_cast<size_t>(colour)].name; }
uint32_t ColourRgb(Colour colour) { return kPalette[static_cast<size_t>(colour)].rgb; }

Grid::Grid(std::string grid_name, int row_count, int column_count)
    : name(std::move(grid_name)),
      rows(row_count),
      columns(column_count),
      cells(static_cast<size_t>(row_count) * static_cast<size_t>(column_count)),
      column_width(static_cast<size_t>(column_count), kDesignSize) {}

void Grid::Set(int r, int c, std::string text) {
  if (Inside(r, c)) At(r, c).text = std::move(text);
}

void Grid::Paint(int r, int c, Colour colour) {
  if (Inside(r, c)) At(r, c).colour = colour;
}

const std::string& Grid::Text(int r, int c) const {
  static const std::string kEmpty;
  return Inside(r, c) ? cells[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)].text
                      : kEmpty;
}

Colour Grid::ColourAt(int r, int c) const {
  return Inside(r, c) ? cells[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)].colour
                      : Colour::kWhite;
}

void Grid::Clear(int first_row, int last_row, int first_column, int last_column) {
  for (int r = first_row; r <= last_row; ++r)
    for (int c = first_column; c <= last_column; ++c)
      if (Inside(r, c)) At(r, c) = Cell{};
}

}  // namespace radadovur::viewer
