#pragma once
#include <QWidget>
#include <string>
#include <vector>

#include "common/run_state.h"
#include "common/step_host.h"
#include "history/day_detail.h"
#include "history/hit_list.h"
#include "history/past_results.h"

class QListWidget;
class QPlainTextEdit;
class QTableWidget;

namespace radadovur::ui {

// The past results window KakoSeisekiAZ: the list of past meeting days (List1) and, for the
// chosen day, the detail view on the tabs of SSTab1 (tier hits, tier rates, the races on SSTab2,
// the strategy hits and rates).
class PastResultsWindow : public QWidget {
  Q_OBJECT
 public:
  PastResultsWindow(std::string app_path, const std::vector<history::DayListItem>& days, QWidget* parent = nullptr);
  // List1_Click: shows the day of list row `row`.
  void ShowDay(int row);
  // What failed in the window's load: the main window's Text6 says so at its end.
  void SetLoadFailures(common::StepFailures failures) { load_failures_ = std::move(failures); }
  const common::StepFailures& LoadFailures() const { return load_failures_; }

 private:
  common::StepFailures load_failures_;
  std::string app_path_;
  QListWidget* list_ = nullptr;
};

// The big-payout hit list TekichuListAZ: Label1 and the grid tekichuFG.
class HitListWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HitListWindow(const history::HitList& list, QWidget* parent = nullptr);
  void SetLoadFailures(common::StepFailures failures) { load_failures_ = std::move(failures); }
  const common::StepFailures& LoadFailures() const { return load_failures_; }

 private:
  common::StepFailures load_failures_;
};

// The past runs of one horse Kakoso: Command1 (closes the window) and the grid EXFG1.
class PastRunsWindow : public QWidget {
  Q_OBJECT
 public:
  explicit PastRunsWindow(const history::Grid& runs, QWidget* parent = nullptr);
};

// The windows' loads: the past results window's (search, lists, speed files; progress in the
// main window's Text6), the hit list's (yielding once per searched date) and the past runs'
// (the horse named by the run state's SelectedHorseCell).
QWidget* MakePastResultsWindow(const common::RunState& state, common::StepHost& host);
QWidget* MakeHitListWindow(const common::RunState& state, common::StepHost& host);
QWidget* MakePastRunsWindow(const common::RunState& state);

}  // namespace radadovur::ui
