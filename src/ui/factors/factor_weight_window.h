#pragma once
#include <QWidget>

#include "common/run_state.h"
#include "common/step_host.h"
#include "factors/factor_view.h"

class QTabWidget;

namespace radadovur::ui {

// A factor weight window (FactorTURFA, FactorDIRTA, FactorHURDA): the 30 item grids on the tabs
// of SSTab1 in six rows of five, the age charts and item 12's grid on the inner tabs of tab 12,
// the legend grid below. Display only: it has no buttons and writes nothing.
class FactorWeightWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FactorWeightWindow(const factors::FactorView& view, QWidget* parent = nullptr);
};

// The window's load: reads the surface's model and makes the window; when the model does not
// load, says so through `host` (naming the file) and makes no window.
QWidget* MakeFactorWeightWindow(const common::RunState& state, factors::ModelSurface surface, common::StepHost& host);

}  // namespace radadovur::ui
