#include "ui/factors/factor_weight_window.h"

#include <QBarCategoryAxis>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include "ui/cell_colours.h"
#include "ui/screen_fit.h"

namespace radadovur::ui {
namespace {

using factors::FactorWindowLayout;
using factors::Grid;
using factors::ModelSurface;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr int kTwipsPerPixel = 15;
constexpr int kRowHeightTwips = 270;

QFont GridFont() {
  QFont font;
  font.setFamilies({QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic", "IPAGothic"});
  font.setPointSize(9);
  return font;
}

QTableWidget* NewGrid(std::string_view name) {
  auto* grid = new QTableWidget;
  grid->setObjectName(Q(name));
  grid->setFont(GridFont());
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->verticalHeader()->setVisible(false);
  grid->verticalHeader()->setDefaultSectionSize(kRowHeightTwips / kTwipsPerPixel);
  return grid;
}

// A grid's cells into a table widget. With `header_row`, a fixed row 0 becomes the column header
// (it stays in view while the rows scroll); cells of fixed columns are drawn like headers.
void Fill(QTableWidget& table, const Grid& grid, bool header_row) {
  const int skip = header_row && grid.fixed_rows > 0 ? 1 : 0;
  table.setColumnCount(grid.columns);
  table.setRowCount(grid.rows - skip);
  table.horizontalHeader()->setVisible(skip == 1);
  const QBrush fixed = table.palette().button();
  for (int c = 0; c < grid.columns; ++c) {
    if (const auto& w = grid.column_width_twips[static_cast<size_t>(c)]) table.setColumnWidth(c, *w / kTwipsPerPixel);
    if (skip) table.setHorizontalHeaderItem(c, new QTableWidgetItem(Q(grid.Cell(0, c))));
  }
  for (int r = skip; r < grid.rows; ++r)
    for (int c = 0; c < grid.columns; ++c) {
      auto* item = new QTableWidgetItem(Q(grid.Cell(r, c)));
      const bool is_fixed = c < grid.fixed_columns || r < grid.fixed_rows;
      SetCellColours(*item, grid.back_rgb[static_cast<size_t>(r)][static_cast<size_t>(c)],
                     is_fixed ? fixed.color() : table.palette().base().color());
      table.setItem(r - skip, c, item);
    }
}

QPlainTextEdit* NewTextBox(std::string_view name, std::string_view text) {
  auto* box = new QPlainTextEdit;
  box->setObjectName(Q(name));
  box->setReadOnly(true);
  box->setFixedHeight(64);
  box->setPlainText(Q(text));
  return box;
}

QChartView* NewChart(const factors::AgeChart& data) {
  auto* chart = new QChart;
  auto* categories = new QBarCategoryAxis;
  for (const std::string& label : data.row_labels) categories->append(Q(label));
  auto* values = new QValueAxis;
  values->setRange(data.axis_min, data.axis_max);
  values->setTickCount(data.axis_divisions + 1);
  values->setLabelFormat("%.1f");
  chart->addAxis(categories, Qt::AlignBottom);
  chart->addAxis(values, Qt::AlignLeft);
  for (const factors::AgeSeries& s : data.series) {
    auto* line = new QLineSeries;
    line->setName(Q(s.label));
    line->setPen(QPen(RgbColour(s.rgb), 2));
    for (size_t r = 0; r < s.values.size(); ++r) line->append(static_cast<qreal>(r), static_cast<qreal>(s.values[r]));
    chart->addSeries(line);
    line->attachAxis(categories);
    line->attachAxis(values);
  }
  chart->legend()->setVisible(true);
  chart->legend()->setAlignment(Qt::AlignBottom);
  auto* view = new QChartView(chart);
  view->setObjectName(Q(data.name));
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

// The tabs' captions in six rows of five above the pages; the tab control's own bar is hidden.
QWidget* TabRows(QTabWidget& tabs) {
  auto* rows = new QWidget;
  rows->setObjectName(tabs.objectName() + "Captions");
  auto* grid = new QGridLayout(rows);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(1);
  auto* group = new QButtonGroup(rows);
  for (int k = 0; k < tabs.count(); ++k) {
    auto* button = new QToolButton;
    button->setText(tabs.tabText(k));
    button->setCheckable(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    group->addButton(button, k);
    grid->addWidget(button, k / 5, k % 5);
  }
  QObject::connect(group, &QButtonGroup::idClicked, &tabs, &QTabWidget::setCurrentIndex);
  QObject::connect(&tabs, &QTabWidget::currentChanged, group, [group](int k) {
    if (auto* b = group->button(k)) b->setChecked(true);
  });
  if (auto* current = group->button(tabs.currentIndex())) current->setChecked(true);
  tabs.tabBar()->hide();
  return rows;
}

}  // namespace

FactorWeightWindow::FactorWeightWindow(const factors::FactorView& view, QWidget* parent) : QWidget(parent) {
  const ModelSurface surface = view.surface;
  const FactorWindowLayout& layout = factors::WindowLayout(surface);
  const size_t w = factors::WindowIndex(surface);
  setObjectName(Q(layout.window));
  setWindowTitle(Q(layout.caption));

  auto* outer = new QTabWidget;
  outer->setObjectName(Q(layout.outer_tab));
  for (int k = 1; k <= factors::kFactorItems; ++k) {
    const factors::ItemTab& tab = factors::ItemTabs()[static_cast<size_t>(k)];
    auto* grid = NewGrid(tab.grid[w]);
    Fill(*grid, view.items[static_cast<size_t>(k)], true);
    QPlainTextEdit* box = tab.text_box[w].empty() ? nullptr : NewTextBox(tab.text_box[w], factors::ExplanationText(surface, k));
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    if (k != factors::kAgeItem) {
      column->addWidget(grid, 1);
      if (box) column->addWidget(box);
    } else {
      auto* inner = new QTabWidget;
      inner->setObjectName(Q(layout.inner_tab));
      inner->addTab(NewChart(view.male), Q(layout.inner_pages[0]));
      inner->addTab(NewChart(view.female), Q(layout.inner_pages[1]));
      auto* grid_page = new QWidget;
      auto* grid_column = new QVBoxLayout(grid_page);
      grid_column->addWidget(grid, 1);
      // The hurdle window's age explanation stands under the grid, the others' under the charts.
      if (surface == ModelSurface::kHurdle && box) grid_column->addWidget(box);
      inner->addTab(grid_page, Q(layout.inner_pages[2]));
      inner->setCurrentIndex(2);
      column->addWidget(inner, 1);
      if (surface != ModelSurface::kHurdle && box) column->addWidget(box);
    }
    outer->addTab(page, Q(tab.caption[w]));
  }
  outer->setCurrentIndex(layout.first_tab - 1);

  auto* legend = NewGrid(layout.legend_grid);
  Fill(*legend, view.legend, false);
  legend->horizontalHeader()->setVisible(false);
  legend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  legend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  legend->setFixedHeight(legend->rowHeight(0) + 2 * legend->frameWidth());

  auto* column = new QVBoxLayout(this);
  column->addWidget(TabRows(*outer));
  column->addWidget(outer, 1);
  column->addWidget(legend);
  FitToScreen(*this, QSize(1000, 720));
}

QWidget* MakeFactorWeightWindow(const common::RunState& state, factors::ModelSurface surface, common::StepHost& host) {
  factors::FactorView view;
  const common::Status loaded = factors::LoadFactorView(state.AppPath, surface, view);
  if (!loaded.ok()) {
    host.Message("予想因子ウエイトのモデルを読み込めませんでした。\n" + loaded.ToString());
    return nullptr;
  }
  return new FactorWeightWindow(view);
}

}  // namespace radadovur::ui
