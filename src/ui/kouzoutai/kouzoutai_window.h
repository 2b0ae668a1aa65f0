#pragma once
#include <QWidget>
#include <string>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"

class QLineEdit;
class QPushButton;

namespace radadovur::ui {

// The structure window "KOUZOUTAIAZ": created anew by every click of button ② whose structure
// processing finished; it only shows its own text until Command1 closes it.
class KouzoutaiWindow : public QWidget {
  Q_OBJECT

 public:
  explicit KouzoutaiWindow(QWidget* parent = nullptr);

  // The window's own text once the processing finished.
  void ShowFinished();

  QLineEdit* text1() const { return text1_; }
  QPushButton* command1() const { return command1_; }

 private:
  QLineEdit* text1_;
  QPushButton* command1_;
};

// What button ② does: asks the gate, runs the structure processing (reporting through the main
// window), then creates a new window (deleted when closed) and shows it; nullptr, and no window,
// when the processing was refused or failed. An earlier window stays open beside it.
KouzoutaiWindow* OpenKouzoutaiWindow(const common::RunState& state, common::StepHost& main_window, QWidget* parent);

}  // namespace radadovur::ui
