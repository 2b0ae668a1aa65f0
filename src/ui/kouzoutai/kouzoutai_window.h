#pragma once
#include <QWidget>
#include <string>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"

class QLineEdit;
class QPushButton;

namespace radadovur::ui {

// The structure window "KOUZOUTAIAZ": created anew by every click of button ②. Loading it runs
// the whole structure processing, reporting through the main window; afterwards it only shows
// its own text until Command1 closes it.
class KouzoutaiWindow : public QWidget {
  Q_OBJECT

 public:
  explicit KouzoutaiWindow(QWidget* parent = nullptr);

  // The load: the structure processing, reporting through the main window, then the window's
  // own text.
  void Load(const common::RunState& state, common::StepHost& main_window);

  QLineEdit* text1() const { return text1_; }
  QPushButton* command1() const { return command1_; }
  const common::StepFailures& failures() const { return failures_; }

 private:
  QLineEdit* text1_;
  QPushButton* command1_;
  common::StepFailures failures_;
};

// What button ② does for this window: creates a new one (deleted when closed), runs its load,
// then shows it; nullptr, and no window, when the processing was refused. An earlier window
// stays open beside it.
KouzoutaiWindow* OpenKouzoutaiWindow(const common::RunState& state, common::StepHost& main_window, QWidget* parent);

}  // namespace radadovur::ui
