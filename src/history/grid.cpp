#include "history/grid.h"

namespace radadovur::history {

Grid::Grid(int rows_, int columns_, int fixed_rows_, int fixed_columns_)
    : rows(rows_),
      columns(columns_),
      fixed_rows(fixed_rows_),
      fixed_columns(fixed_columns_),
      cells(static_cast<size_t>(rows_ * columns_)),
      column_width_twips(static_cast<size_t>(columns_)) {}

void Grid::Put(int row, int column, std::string text) {
  if (row < 0 || row >= rows || column < 0 || column >= columns) return;
  At(row, column).text = std::move(text);
}

}  // namespace radadovur::history
