#include "ui/results/grid_table.h"

#include <QFont>
#include <algorithm>
#include <QHeaderView>

#include "ui/cell_colours.h"

namespace radadovur::ui {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kDefaultColumnTwips = 1000;
constexpr int kRowHeightTwips = 270;


}  // namespace

GridTable::GridTable(const viewer::Grid& design, QWidget* parent) : QTableWidget(parent) {
  setObjectName(QString::fromStdString(design.name));
  QFont font;
  font.setFamilies({QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic", "IPAGothic"});
  font.setPointSize(9);
  setFont(font);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setTextElideMode(Qt::ElideNone);
  setWordWrap(false);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(kRowHeightTwips / kTwipsPerPixel);
  horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
  horizontalHeader()->setDefaultSectionSize(kDefaultColumnTwips / kTwipsPerPixel);
  setColumnCount(design.columns);
  setRowCount(design.rows - 1);
  const QBrush fixed = palette().button();
  for (int c = 0; c < design.columns; ++c) setHorizontalHeaderItem(c, new QTableWidgetItem);
  for (int r = 1; r < design.rows; ++r)
    for (int c = 0; c < design.columns; ++c) {
      auto* item = new QTableWidgetItem;
      if (c == 0) item->setBackground(fixed);
      setItem(r - 1, c, item);
    }
  Show(design);
}

void GridTable::Show(const viewer::Grid& grid) {
  setUpdatesEnabled(false);
  if (grid.row0_height != viewer::kDesignSize) horizontalHeader()->setFixedHeight(grid.row0_height / kTwipsPerPixel);
  for (int r = 1; r < grid.rows && r - 1 < rowCount(); ++r)
    for (int c = 0; c < grid.columns && c < columnCount(); ++c) {
      QTableWidgetItem* cell = item(r - 1, c);
      const QString text = QString::fromStdString(grid.Text(r, c));
      if (cell->text() != text) cell->setText(text);
      if (c > 0) SetCellColours(*cell, viewer::ColourRgb(grid.ColourAt(r, c)), QColor());
    }
  for (int c = 0; c < grid.columns && c < columnCount(); ++c) {
    const int twips = grid.column_width[static_cast<size_t>(c)];
    const int width = (twips == viewer::kDesignSize ? kDefaultColumnTwips : twips) / kTwipsPerPixel;
    horizontalHeaderItem(c)->setText(QString::fromStdString(grid.Text(0, c)));
    // Headings wrap, except the race key over column 0.
    const int fit = std::max(sizeHintForColumn(c), c == 0 ? horizontalHeader()->sectionSizeHint(0) : 0);
    setColumnWidth(c, c == clipped_column_ ? width : std::max(width, fit));
  }
  setUpdatesEnabled(true);
}

QString GridTable::Text(int r, int c) const {
  if (r == 0) return c < columnCount() ? horizontalHeaderItem(c)->text() : QString();
  const QTableWidgetItem* cell = item(r - 1, c);
  return cell ? cell->text() : QString();
}

QColor GridTable::Background(int r, int c) const {
  const QTableWidgetItem* cell = r > 0 ? item(r - 1, c) : nullptr;
  return cell ? cell->background().color() : palette().button().color();
}

}  // namespace radadovur::ui
