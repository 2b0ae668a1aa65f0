#include "app/workflow_steps_window.h"

#include "app/main_window.h"
#include "jvdata/download_progress_window.h"
#include "jvdata/this_week_download.h"
#include "store/kouzoutai_window.h"

namespace radadovur {

void ConnectWorkflowSteps(MainWindow& window) {
  window.SetDownloadAction([](MainWindow& w) {
    DownloadProgressDialogHost progress(w, &w);
    DownloadState state{w.DownloadCount, w.DialogResult};
    RunThisWeekDownload(w.AppPath(), w.JVLink1(), w, progress, state);
    w.DownloadCount = state.download_count;
    w.DialogResult = state.dialog_result;
  });
  // A new structure window on every click; its load is the whole processing.
  window.SetStructureAction([](MainWindow& w) { OpenKouzoutaiWindow(w.AppPath(), w, &w); });
}

}  // namespace radadovur
