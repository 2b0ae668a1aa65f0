#include "ui/results/results_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/colour.h"
#include "common/failure_report.h"
#include "results/results_pass.h"
#include "steps/gate.h"
#include "steps/results.h"
#include "ui/results/grid_table.h"
#include "ui/screen_fit.h"
#include "ui/window_host.h"

namespace radadovur::ui {
namespace {

QLabel* Note(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  return label;
}

// A style sheet's colour: the viewer's back colour, or the text colour that reads on it.
QString Rgb(uint32_t rgb) { return QString("rgb(%1,%2,%3)").arg((rgb >> 16) & 0xFF).arg((rgb >> 8) & 0xFF).arg(rgb & 0xFF); }

constexpr const char* kPastRunsNote = "馬名をクリックすればその馬の全過去走の予想因子詳細がご覧になれます。";

}  // namespace

ResultsWindow::ResultsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(std::make_unique<results::ResultsWindowState>()),
      view_(std::make_unique<viewer::RaceView>()) {
  setObjectName("YOSOKEKKATHISWEEKNAZ");
  setWindowTitle(QString::fromUtf8("予想・結果 Ver.2024.8.12A"));
  list1_ = new QListWidget(this);
  list1_->setObjectName("List1");
  // Wide enough for an item: the date, course, meeting, day and race, the spaces and the key.
  list1_->setFixedWidth(list1_->fontMetrics().horizontalAdvance(
                            QString::fromUtf8("2024年09月22日06中山04回04日11R          202409220611")) +
                        40);
  text1_ = new QLineEdit(this);
  text1_->setObjectName("Text1");
  MakeStatusBox(*text1_);

  payout_ = new GridTable(view_->payout);
  detail1_ = new GridTable(view_->detail1);
  detail2_ = new GridTable(view_->detail2);
  for (int k = 0; k < viewer::kTicketKinds; ++k) tickets_[k] = new GridTable(view_->tickets.grids[static_cast<size_t>(k)]);
  detail1_->SetNameColumn(viewer::kDetail1NameColumn);
  detail2_->SetNameColumn(viewer::kDetail2NameColumn);
  payout_->setFixedHeight(payout_->horizontalHeader()->height() + 10 * payout_->verticalHeader()->defaultSectionSize() + 4);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("ViewerTabs");
  auto* runners = new QWidget;
  auto* runners_layout = new QVBoxLayout(runners);
  runners_layout->addWidget(payout_);
  runners_layout->addWidget(Note("LabelPastRuns1", kPastRunsNote, runners));
  runners_layout->addWidget(Note("LabelReliability",
                                 "信頼度はサンプル数を表しAが一番多くFはゼロ、左端より騎手・調教師・父馬・母父馬・生産牧場の信頼度となります",
                                 runners));
  runners_layout->addWidget(detail1_, 1);
  tabs_->addTab(runners, QString::fromUtf8("払戻・出走馬"));
  auto* residuals = new QWidget;
  auto* residuals_layout = new QVBoxLayout(residuals);
  residuals_layout->addWidget(Note("LabelPastRuns2", kPastRunsNote, residuals));
  residuals_layout->addWidget(detail2_, 1);
  tabs_->addTab(residuals, QString::fromUtf8("推定時速・残差"));
  const auto pair_tab = [&](GridTable* left, GridTable* right, const char* title) {
    auto* tab = new QWidget;
    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(left, 2);
    layout->addWidget(right, 3);
    tabs_->addTab(tab, QString::fromUtf8(title));
  };
  pair_tab(tickets_[viewer::kUmaren], tickets_[viewer::kUmatan], "馬連・馬単");
  pair_tab(tickets_[viewer::kSanren], tickets_[viewer::kSantan], "３連複・３連単");

  auto* right = new QVBoxLayout;
  right->addWidget(text1_);
  right->addWidget(tabs_, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list1_);
  layout->addLayout(right, 1);
  FitToScreen(*this, QSize(1280, 760));

  connect(list1_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) ChooseRace(row);
  });
  connect(detail1_, &QTableWidget::cellClicked, this, [this](int row, int column) {
    RunnerCellClicked(*detail1_, viewer::kDetail1NameColumn, row + 1, column);
  });
  connect(detail2_, &QTableWidget::cellClicked, this, [this](int row, int column) {
    RunnerCellClicked(*detail2_, viewer::kDetail2NameColumn, row + 1, column);
  });
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::Load(common::RunState& state, common::StepHost& main_window) {
  run_ = &state;
  main_window_ = &main_window;
  const results::ResultsPassOutcome outcome = steps::RunResultsStep(state, main_window, *state_);
  failures_ = outcome.failures;
  list1_->clear();
  for (const auto& item : outcome.List1Items) list1_->addItem(QString::fromStdString(item));
}

void ResultsWindow::ChooseRace(int item) {
  if (!run_) return;
  viewer_failures_ = viewer::ChooseRace(run_->AppPath, list1_->item(item)->text().toStdString(), item + 1, *state_, *view_);
  text1_->setText(QString::fromStdString(view_->text1));
  text1_->setCursorPosition(0);
  const uint32_t back = viewer::ColourRgb(view_->text1_colour);
  text1_->setStyleSheet("QLineEdit#Text1 { background-color: " + Rgb(back) +
                        "; color: " + Rgb(common::ReadableTextColour(back)) + "; }");
  payout_->Show(view_->payout);
  detail1_->Show(view_->detail1);
  detail2_->Show(view_->detail2);
  for (int k = 0; k < viewer::kTicketKinds; ++k) tickets_[k]->Show(view_->tickets.grids[static_cast<size_t>(k)]);
  // The grids show what could be read; the user is told what could not.
  if (!viewer_failures_.empty() && main_window_)
    main_window_->FailureMessage(common::MakeFailureReport(viewer::kChooseRaceFailureHeading, viewer_failures_));
}

// Any clicked cell's text becomes the selected horse cell; only a horse name whose expanded-record
// file exists shows its past runs (any other cell would open an empty window).
void ResultsWindow::RunnerCellClicked(const GridTable& grid, int name_column, int row, int column) {
  if (!run_) return;
  run_->SelectedHorseCell.clear();
  run_->SelectedHorseCell = grid.Text(row, column).toStdString();
  if (column == name_column && open_past_runs_ && viewer::PastRunsFile(run_->AppPath, run_->SelectedHorseCell))
    open_past_runs_();
}

std::string ResultsWindow::EndText() const { return results::ResultsEndText(failures_); }

ResultsWindow* MakeResultsWindow(common::RunState& state, common::StepHost& main_window) {
  // A refused pass changes nothing and its message says what to run first: no window.
  if (!steps::MayRun(state, main_window, steps::WeekStep::kResults).empty()) return nullptr;
  auto* window = new ResultsWindow;
  window->Load(state, main_window);
  // A pass the user stopped (closing the main window) is not finished: no window.
  if (window->failures().stopped) {
    delete window;
    return nullptr;
  }
  return window;
}

}  // namespace radadovur::ui
