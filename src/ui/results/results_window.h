#pragma once
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "results/results_window_state.h"
#include "viewer/race_viewer.h"

class QLineEdit;
class QListWidget;
class QTabWidget;

namespace radadovur::ui {
class GridTable;

// The results window "YOSOKEKKATHISWEEKNAZ": button ⑥ makes a new one on every click. Loading it
// runs the whole results pass, reporting through the main window; afterwards it shows the week's
// race list List1, and choosing a race (click or keys) shows it in the race viewer: Text1, the
// payout grid, the runner grids and the ticket grids. The window owns the state its procedures
// share.
class ResultsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ResultsWindow(QWidget* parent = nullptr);
  ~ResultsWindow() override;

  // The load: the results pass on this window's (new, so empty) state, then the race list. The
  // run state must outlive the window: a click on a runner cell sets its SelectedHorseCell.
  void Load(common::RunState& state, common::StepHost& main_window);
  // What a click on a horse-name cell shows: the past-runs window of the horse.
  void SetPastRunsOpener(std::function<void()> open) { open_past_runs_ = std::move(open); }

  QListWidget* list1() const { return list1_; }
  const results::ResultsWindowState& state() const { return *state_; }
  const common::StepFailures& failures() const { return failures_; }
  // What the last choice of a race could not read or write.
  const common::StepFailures& viewer_failures() const { return viewer_failures_; }
  // The main window's Text5 once the load has returned.
  std::string EndText() const;
  // The tabs of the viewer's grids, for showing one.
  QTabWidget* tabs() const { return tabs_; }

 private:
  void ChooseRace(int item);
  void RunnerCellClicked(const GridTable& grid, int name_column, int row, int column);

  std::unique_ptr<results::ResultsWindowState> state_;
  std::unique_ptr<viewer::RaceView> view_;
  common::RunState* run_ = nullptr;
  common::StepHost* main_window_ = nullptr;  // shows what a choice of a race could not read
  std::function<void()> open_past_runs_;
  QListWidget* list1_;
  QLineEdit* text1_;
  QTabWidget* tabs_;
  GridTable* payout_;
  GridTable* detail1_;
  GridTable* detail2_;
  GridTable* tickets_[viewer::kTicketKinds];
  common::StepFailures failures_;
  common::StepFailures viewer_failures_;
};

// What button ⑥ does for this window: a new one, loaded (the main window shows it); nullptr, and
// no window, when the pass was refused or the user stopped it.
ResultsWindow* MakeResultsWindow(common::RunState& state, common::StepHost& main_window);

}  // namespace radadovur::ui
