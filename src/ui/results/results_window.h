#pragma once
#include <QWidget>
#include <memory>
#include <string>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "results/results_window_state.h"

class QListWidget;

namespace radadovur::ui {

// The results window "YOSOKEKKATHISWEEKNAZ": button ⑥ makes a new one on every click. Loading it
// runs the whole results pass, reporting through the main window; afterwards it shows the week's
// race list List1. The window owns the state its procedures share.
class ResultsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ResultsWindow(QWidget* parent = nullptr);
  ~ResultsWindow() override;

  // The load: the results pass on this window's (new, so empty) state, then the race list.
  void Load(const common::RunState& state, common::StepHost& main_window);

  QListWidget* list1() const { return list1_; }
  const results::ResultsWindowState& state() const { return *state_; }
  const common::StepFailures& failures() const { return failures_; }
  // The main window's Text5 once the load has returned.
  std::string EndText() const;

 private:
  std::unique_ptr<results::ResultsWindowState> state_;
  QListWidget* list1_;
  common::StepFailures failures_;
};

// What button ⑥ does for this window: a new one, loaded (the main window shows it).
ResultsWindow* MakeResultsWindow(const common::RunState& state, common::StepHost& main_window);

}  // namespace radadovur::ui
