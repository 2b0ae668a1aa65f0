#include "ui/history/history_windows.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "history/past_runs.h"
#include "steps/history.h"
#include "ui/cell_colours.h"
#include "ui/screen_fit.h"

namespace radadovur::ui {
namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr int kTwipsPerPixel = 15;
constexpr int kRowHeightTwips = 270;
constexpr int kDefaultWidthTwips = 960;

// Room beside a cell's text: the cell's margins and its grid line.
constexpr int kCellMargin = 10;

// A text without the ASCII and full-width blanks that pad its field on the right.
QString WithoutPadding(const QString& text) {
  qsizetype n = text.size();
  while (n > 0 && (text[n - 1] == QLatin1Char(' ') || text[n - 1] == QChar(0x3000))) --n;
  return text.left(n);
}

QFont GridFont() {
  QFont font;
  font.setFamilies({QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic", "IPAGothic"});
  font.setPointSize(9);
  return font;
}

// A flex grid: every row and column are cells (fixed ones drawn like headers), no Qt headers.
QTableWidget* NewGrid(const QString& name, int rows, int columns) {
  auto* grid = new QTableWidget(rows, columns);
  grid->setObjectName(name);
  grid->setFont(GridFont());
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->verticalHeader()->setVisible(false);
  grid->horizontalHeader()->setVisible(false);
  grid->setWordWrap(false);
  grid->verticalHeader()->setDefaultSectionSize(kRowHeightTwips / kTwipsPerPixel);
  grid->horizontalHeader()->setDefaultSectionSize(kDefaultWidthTwips / kTwipsPerPixel);
  return grid;
}

void Fill(QTableWidget& table, const history::Grid& grid) {
  table.setRowCount(grid.rows);
  table.setColumnCount(grid.columns);
  const QBrush fixed = table.palette().button();
  const QColor base = table.palette().base().color();
  for (int c = 0; c < grid.columns; ++c)
    table.setColumnWidth(c, grid.column_width_twips[static_cast<size_t>(c)].value_or(kDefaultWidthTwips) / kTwipsPerPixel);
  for (int r = 0; r < grid.rows; ++r)
    for (int c = 0; c < grid.columns; ++c) {
      const history::GridCell& cell = grid.At(r, c);
      // Without the blanks that pad its field: they would count as text too wide for the cell and
      // cut it with "…" (a cell of blanks showed only "…").
      auto* item = new QTableWidgetItem(WithoutPadding(Q(cell.text)));
      item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
      const bool is_fixed = r < grid.fixed_rows || c < grid.fixed_columns;
      SetCellColours(*item, cell.back, is_fixed ? fixed.color() : base, cell.fore);
      table.setItem(r, c, item);
    }
  // The designed widths suit the original's narrower font: a column widens to its widest text,
  // so that it never cuts a text and stays no wider.
  const QFontMetrics metrics(table.font());
  for (int c = 0; c < grid.columns; ++c) {
    int widest = 0;
    for (int r = 0; r < grid.rows; ++r) widest = std::max(widest, metrics.horizontalAdvance(table.item(r, c)->text()));
    table.setColumnWidth(c, std::max(table.columnWidth(c), widest + kCellMargin));
  }
}

// The row labels of the fixed column 0 stay in view while the other columns scroll: they become
// the rows' headers, as wide as the column was, and the column itself is hidden.
void FreezeLabelColumn(QTableWidget& table) {
  QHeaderView& header = *table.verticalHeader();
  for (int r = 0; r < table.rowCount(); ++r) {
    auto* label = new QTableWidgetItem(table.item(r, 0)->text());
    label->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table.setVerticalHeaderItem(r, label);
  }
  header.setFont(table.font());
  header.setHighlightSections(false);
  header.setSectionResizeMode(QHeaderView::Fixed);
  // The header measures only some of its sections: the widest label sets its width.
  header.setFixedWidth(table.columnWidth(0));
  header.setVisible(true);
  table.setColumnHidden(0, true);
}

QPlainTextEdit* NewTextBox(const QString& name) {
  auto* box = new QPlainTextEdit;
  box->setObjectName(name);
  box->setReadOnly(true);
  return box;
}

QString Indexed(const char* name, int i) { return QString("%1(%2)").arg(name).arg(i); }

}  // namespace

PastResultsWindow::PastResultsWindow(std::string app_path, const std::vector<history::DayListItem>& days,
                                     QWidget* parent)
    : QWidget(parent), app_path_(std::move(app_path)) {
  setObjectName("KakoSeisekiAZ");
  setWindowTitle(Q("過去の予想成績 Ver.2024.8.12A"));
  list_ = new QListWidget;
  list_->setObjectName("List1");
  list_->setFont(GridFont());
  for (const auto& day : days) list_->addItem(Q(day.text));
  list_->setFixedWidth(390);

  auto* tabs = new QTabWidget;
  tabs->setObjectName("SSTab1");
  tabs->addTab(NewGrid("KakoSeiFG", 50, 8), Q("的中状況"));
  auto* rates = new QWidget;
  auto* rates_layout = new QVBoxLayout(rates);
  auto* text1 = NewTextBox("Text1");
  text1->setFixedHeight(110);
  rates_layout->addWidget(text1);
  rates_layout->addWidget(NewGrid("TekiKaiFG", 9, 7), 1);
  tabs->addTab(rates, Q("的中率・回収率"));
  auto* races = new QTabWidget;
  races->setObjectName("SSTab2");
  for (int i = 0; i < history::kRaceTabs; ++i) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* header = NewTextBox(Indexed("Text2", i));
    header->setFixedHeight(40);
    layout->addWidget(header);
    auto* hits = NewGrid(Indexed("TKFG", i), 8, 4);
    hits->setFixedHeight(8 * kRowHeightTwips / kTwipsPerPixel + 4);
    layout->addWidget(hits);
    layout->addWidget(NewGrid(Indexed("RACEFG", i), 19, 14), 1);
    races->addTab(page, Q(history::RaceTabCaption(i + 1)));
  }
  tabs->addTab(races, Q("レース詳細"));
  auto* strategy = new QWidget;
  auto* strategy_layout = new QVBoxLayout(strategy);
  strategy_layout->addWidget(NewGrid("TanFukuFG", 38, 12), 3);
  strategy_layout->addWidget(NewGrid("TFTekiKaiFG", 7, 12), 1);
  tabs->addTab(strategy, Q("単複的中状況"));

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(tabs, 1);
  FitToScreen(*this, QSize(1200, 780));
  connect(list_, &QListWidget::currentRowChanged, this, &PastResultsWindow::ShowDay);
}

void PastResultsWindow::ShowDay(int row) {
  if (row < 0 || row >= list_->count()) return;
  const history::DayDetail view = history::LoadDayDetail(app_path_, list_->item(row)->text().toStdString());
  auto grid = [this](const QString& name) { return findChild<QTableWidget*>(name); };
  Fill(*grid("KakoSeiFG"), view.KakoSeiFG);
  Fill(*grid("TekiKaiFG"), view.TekiKaiFG);
  Fill(*grid("TanFukuFG"), view.TanFukuFG);
  Fill(*grid("TFTekiKaiFG"), view.TFTekiKaiFG);
  findChild<QPlainTextEdit*>("Text1")->setPlainText(Q(view.Text1));
  for (int i = 0; i < history::kRaceTabs; ++i) {
    findChild<QPlainTextEdit*>(Indexed("Text2", i))->setPlainText(Q(view.Text2[static_cast<size_t>(i)]));
    Fill(*grid(Indexed("TKFG", i)), view.TKFG[static_cast<size_t>(i)]);
    QTableWidget* runners = grid(Indexed("RACEFG", i));
    Fill(*runners, view.RACEFG[static_cast<size_t>(i)]);
    runners->setRowHeight(0, 500 / kTwipsPerPixel);
  }
}

HitListWindow::HitListWindow(const history::HitList& list, QWidget* parent) : QWidget(parent) {
  setObjectName("TekichuListAZ");
  setWindowTitle(Q("万馬券的中リスト　Ver.2024.8.12A"));
  auto* label = new QLabel(Q(history::HitListNote()));
  label->setObjectName("Label1");
  label->setWordWrap(true);
  history::Grid grid(history::kHitListRows + 1, history::kHitListColumns, 1, 1);
  for (int c = 0; c < history::kHitListColumns; ++c) {
    grid.Put(0, c, std::string(history::HitListHeaders()[static_cast<size_t>(c)]));
    if (const int w = history::HitListWidths()[static_cast<size_t>(c)]) grid.SetWidth(c, w);
  }
  for (size_t r = 0; r < list.rows.size(); ++r)
    for (int c = 0; c < history::kHitListColumns; ++c)
      grid.Put(static_cast<int>(r) + 1, c, list.rows[r][static_cast<size_t>(c)]);
  auto* table = NewGrid("tekichuFG", grid.rows, grid.columns);
  Fill(*table, grid);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(table, 1);
  FitToScreen(*this, QSize(1200, 700));
}

PastRunsWindow::PastRunsWindow(const history::Grid& runs, QWidget* parent) : QWidget(parent) {
  setObjectName("Kakoso");
  setWindowTitle(Q("全過去走詳細  Ver.2024.6.29Z"));
  auto* close = new QPushButton(Q("別の競走馬の全過去走を表示させたい場合、一旦終了（ここをクリック）させて下さい。"));
  close->setObjectName("Command1");
  auto* table = NewGrid("EXFG1", runs.rows, runs.columns);
  Fill(*table, runs);
  if (runs.columns > 0 && runs.fixed_columns > 0) FreezeLabelColumn(*table);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(480 / kTwipsPerPixel, 120 / kTwipsPerPixel, 480 / kTwipsPerPixel, 120 / kTwipsPerPixel);
  layout->addWidget(close);
  layout->addWidget(table, 1);
  FitToScreen(*this, QSize(14100 / kTwipsPerPixel, 10050 / kTwipsPerPixel));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* MakePastResultsWindow(const common::RunState& state, common::StepHost& host) {
  common::StepFailures failures;  // no message, as the window always has; Text6 says they happened
  const auto days = steps::RunPastResultsLoad(state, host, failures);
  if (failures.refused) return nullptr;  // another step holds the folder: its message said so
  auto* window = new PastResultsWindow(state.AppPath, days);
  window->SetLoadFailures(std::move(failures));
  return window;
}

QWidget* MakeHitListWindow(const common::RunState& state, common::StepHost& host) {
  common::StepFailures failures;
  const history::HitList list = steps::RunHitListLoad(state, host, failures);
  if (failures.refused) return nullptr;
  auto* window = new HitListWindow(list);
  window->SetLoadFailures(std::move(failures));
  return window;
}

QWidget* MakePastRunsWindow(const common::RunState& state) {
  return new PastRunsWindow(history::LoadPastRuns(state.AppPath, state.SelectedHorseCell));
}

}  // namespace radadovur::ui
