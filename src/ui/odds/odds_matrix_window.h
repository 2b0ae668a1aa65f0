#pragma once
#include <QWidget>

#include "common/run_state.h"
#include "common/step_host.h"
#include "store/odds_matrix.h"

class QPushButton;

namespace radadovur::ui {

// The odds-matrix window VELTRANODDSN. Its load builds the odds matrices of the odds files that
// the run state's OddsSource names, reporting through the main window; then it shows only its
// button "オッズセット終了", which closes it. The main window keeps it as a single window, so
// the matrices are built again only after it was closed.
class OddsMatrixWindow : public QWidget {
  Q_OBJECT
 public:
  explicit OddsMatrixWindow(QWidget* parent = nullptr);

  void Load(const common::RunState& state, common::StepHost& main_window);
  const store::OddsMatrixReport& Report() const { return report_; }
  QPushButton* command1() const { return command1_; }

 private:
  QPushButton* command1_;
  store::OddsMatrixReport report_;
};

}  // namespace radadovur::ui
