#include "ui/main/workflow_steps.h"

#include "steps/download.h"
#include "ui/chusi/chusi_rialtime_window.h"
#include "ui/kouzoutai/kouzoutai_window.h"
#include "ui/main/main_window.h"

namespace radadovur::ui {

void ConnectWorkflowSteps(MainWindow& window) {
  // The download's progress dialog is the main window's: it opens through its step host.
  window.SetDownloadAction([](MainWindow& w) { steps::RunThisWeekDownload(w.State(), w.JVLink1(), w); });
  // A new structure window on every click; its load is the whole processing.
  window.SetStructureAction([](MainWindow& w) { OpenKouzoutaiWindow(w.State(), w, &w); });
  // With the cancellation option, button ② then makes a new cancellation window; its load is the
  // whole cancellation processing.
  window.SetWindowFactory("CHUSIRIALTIME", [](MainWindow& w) -> QWidget* { return MakeChusiRialtimeWindow(w.State(), w); });
}

}  // namespace radadovur::ui
