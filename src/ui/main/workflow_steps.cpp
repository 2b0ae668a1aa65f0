#include "ui/main/workflow_steps.h"

#include "jvlink/jvlink_settings.h"
#include "steps/download.h"
#include "steps/odds_matrices.h"
#include "ui/chusi/chusi_rialtime_window.h"
#include "ui/factors/factor_weight_window.h"
#include "ui/history/history_windows.h"
#include "ui/jvlink/jvlink_settings_window.h"
#include "ui/kouzoutai/kouzoutai_window.h"
#include "ui/main/main_window.h"
#include "ui/odds/odds_matrix_window.h"
#include "ui/odds/odds_window.h"
#include "ui/odds/realtime_menu_window.h"
#include "ui/predict/predict_window.h"
#include "ui/results/results_window.h"

namespace radadovur::ui {
namespace {

// A window's own JV-Link: the stand-in replaying the recordings its settings name, with the
// settings dialog shown over the window. The window's steps run as the main window's.
template <typename Window>
QWidget* WithOwnJvLink(MainWindow& w) {
  auto link = jvlink::MakeReplayJvLink(w.AppPath());
  jvlink::ReplayJvLink& replay = *link;
  auto* window = new Window(w.State(), std::move(link));
  InstallJvLinkSettingsDialog(replay, window, w.AppPath());
  AttachToMainWindow(*window, w);
  return window;
}

}  // namespace

void ConnectWorkflowSteps(MainWindow& window) {
  // The download's progress dialog is the main window's: it opens through its step host.
  window.SetDownloadAction([](MainWindow& w) { steps::RunThisWeekDownload(w.State(), w.JVLink1(), w); });
  // A new structure window on every click; its load is the whole processing. With the
  // cancellation option, a ② that finished is followed by a new cancellation window, whose load
  // is the whole cancellation processing; after a failed or refused ② neither opens.
  window.SetStructureAction([](MainWindow& w) {
    KouzoutaiWindow* structure = OpenKouzoutaiWindow(w.State(), w, &w);
    if (!structure || !w.State().CancellationOption) return;
    if (QWidget* cancellation = MakeChusiRialtimeWindow(w.State(), w)) w.Present(cancellation);
  });
  // Button ⑥ makes a new results window on every click; its load is the whole results pass.
  // A click on a horse name in its runner grids shows the single past-runs window.
  window.SetWindowFactory("YOSOKEKKATHISWEEKNAZ", [](MainWindow& w) -> QWidget* {
    ResultsWindow* results = MakeResultsWindow(w.State(), w);
    if (!results) return nullptr;
    results->SetPastRunsOpener([&w] { w.ShowSingle("Kakoso"); });
    return results;
  });
  // The odds windows: each fetches through its own JV-Link and owns its progress dialog.
  window.SetWindowFactory("VLTFOTHISWEEKNAZ", WithOwnJvLink<OddsWindow>);
  window.SetWindowFactory("VLTP2RIALTIME", WithOwnJvLink<RealtimeMenuWindow>);
  // A new prediction window on every click of ③ (after the package check); its load reads the
  // model, and its steps run as the main window's.
  window.SetWindowFactory("VELTRANEXPDTHISWEEKNAZ", [](MainWindow& w) -> QWidget* {
    auto* prediction = new PredictWindow(w.State());
    AttachToMainWindow(*prediction, w);
    prediction->Load();
    return prediction;
  });
  // The matrices are built while the window loads, reporting through the main window.
  window.SetWindowFactory("VELTRANODDSN", [](MainWindow& w) -> QWidget* {
    // Refused (no odds yet, or the folder busy): its message said why, and no window is built.
    if (!steps::MayRunOddsMatrices(w.State(), w).empty()) return nullptr;
    auto* matrices = new OddsMatrixWindow;
    matrices->Load(w.State(), w);
    return matrices;
  });
  // The factor weight windows read their surface's model when they load.
  for (const factors::ModelSurface surface : {factors::ModelSurface::kTurf, factors::ModelSurface::kDirt,
                                              factors::ModelSurface::kHurdle})
    window.SetWindowFactory(std::string(factors::WindowLayout(surface).window), [surface](MainWindow& w) -> QWidget* {
      return MakeFactorWeightWindow(w.State(), surface, w);
    });
  // The past results window and the hit list search the past meeting days when they load,
  // writing their progress into the main window's Text6.
  window.SetWindowFactory("KakoSeisekiAZ", [](MainWindow& w) -> QWidget* { return MakePastResultsWindow(w.State(), w); });
  window.SetWindowFactory("TekichuListAZ", [](MainWindow& w) -> QWidget* { return MakeHitListWindow(w.State(), w); });
  // The past runs of the horse in the race-viewer cell last clicked (SelectedHorseCell).
  window.SetWindowFactory("Kakoso", [](MainWindow& w) -> QWidget* { return MakePastRunsWindow(w.State()); });
}

}  // namespace radadovur::ui
