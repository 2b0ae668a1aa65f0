#pragma once
#include <QColor>
#include <QString>
#include <QTableWidget>

#include "viewer/grid.h"

namespace radadovur::ui {

// A race-viewer grid on screen: the grid's row 0 is the column header (it stays in view while the
// rows scroll), column 0 is drawn like a header; sizes in twips at 15 to a pixel. Cells are
// addressed as in the grid (row 0 = the heading row).
class GridTable : public QTableWidget {
  Q_OBJECT
 public:
  // An empty table of the grid's size and name.
  explicit GridTable(const viewer::Grid& design, QWidget* parent = nullptr);

  // Copies texts, colours, column widths and row 0's height. A column is widened to its widest
  // cell, so nothing is cut off, except a clipped column.
  void Show(const viewer::Grid& grid);
  // A column whose cells are cut at its width (the horse-name cells hide their file name).
  void SetClippedColumn(int column) { clipped_column_ = column; }

  QString Text(int r, int c) const;
  // The cell's background; the header colour for fixed cells.
  QColor Background(int r, int c) const;

 private:
  int clipped_column_ = -1;
};

}  // namespace radadovur::ui
