#include "ui/results/grid_table.h"

#include <QFont>
#include <algorithm>
#include <QHeaderView>

#include "engine/ex_record.h"
#include "ui/cell_colours.h"

namespace radadovur::ui {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kDefaultColumnTwips = 1000;
constexpr int kRowHeightTwips = 270;

// Where a cell keeps its whole text when it shows less.
constexpr int kWholeTextRole = Qt::UserRole;

// A horse-name cell without the "EX.dat" of the file it names; any other text as it is.
QString ShownName(const std::string& cell) {
  constexpr size_t kSuffix = 6;  // "EX.dat"
  if (engine::ExFileNameOfCell(cell).empty()) return QString::fromStdString(cell);
  return QString::fromStdString(cell.substr(0, cell.size() - kSuffix));
}

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
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
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
      const std::string& whole = grid.Text(r, c);
      const QString shown = c == name_column_ ? ShownName(whole) : QString::fromStdString(whole);
      if (cell->text() != shown) cell->setText(shown);
      if (c == name_column_) cell->setData(kWholeTextRole, QString::fromStdString(whole));
      if (c > 0) SetCellColours(*cell, viewer::ColourRgb(grid.ColourAt(r, c)), QColor());
    }
  for (int c = 0; c < grid.columns && c < columnCount(); ++c) {
    const int twips = grid.column_width[static_cast<size_t>(c)];
    const int width = (twips == viewer::kDesignSize ? kDefaultColumnTwips : twips) / kTwipsPerPixel;
    horizontalHeaderItem(c)->setText(QString::fromStdString(grid.Text(0, c)));
    const int fit = std::max(sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c));
    setColumnWidth(c, std::max(width, fit));
  }
  setUpdatesEnabled(true);
}

QString GridTable::Text(int r, int c) const {
  if (r == 0) return c < columnCount() ? horizontalHeaderItem(c)->text() : QString();
  const QTableWidgetItem* cell = item(r - 1, c);
  if (!cell) return QString();
  const QVariant whole = cell->data(kWholeTextRole);
  return whole.isValid() ? whole.toString() : cell->text();
}

QColor GridTable::Background(int r, int c) const {
  const QTableWidgetItem* cell = r > 0 ? item(r - 1, c) : nullptr;
  return cell ? cell->background().color() : palette().button().color();
}

}  // namespace radadovur::ui
