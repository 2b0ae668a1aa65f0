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
  // cell and to its heading on one line, so nothing is cut off and no heading breaks in a word.
  void Show(const viewer::Grid& grid);
  // The horse-name column: its cells show the name and the registration number without the
  // "EX.dat" that ends them (the file they name); Text still gives the whole cell.
  void SetNameColumn(int column) { name_column_ = column; }

  // The cell's whole text, as the grid holds it.
  QString Text(int r, int c) const;
  // The cell's background; the header colour for fixed cells.
  QColor Background(int r, int c) const;

 private:
  int name_column_ = -1;
};

}  // namespace radadovur::ui
