// radadovur [DIR]: the program with its main window. DIR is the program folder to work in (a
// demo folder, say); without it the folder of the program itself.
#include <unistd.h>

#include <QApplication>
#include <climits>
#include <cstdio>
#include <string>

#include "common/file_date.h"
#include "common/record_file.h"
#include "common/run_state.h"
#include "jvlink/jvlink_settings.h"
#include "ui/jvlink/jvlink_settings_window.h"
#include "ui/main/main_window.h"
#include "ui/main/workflow_steps.h"
#include "ui/qt_translations.h"
#include "ui/start_folder.h"

namespace {

// The folder of the running executable.
std::string ExecutableFolder() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  const std::string path(buf, static_cast<size_t>(n));
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  radadovur::common::IgnoreFileSizeSignal();
  using namespace radadovur;
  QApplication app(argc, argv);
  // Without the translations installed Qt's dialogs stay English; the program still works.
  ui::InstallQtJapanese(app);
  const QStringList args = app.arguments();  // Qt's own options removed
  // An empty DIR would be the root folder.
  if (args.size() > 2 || (args.size() == 2 && args[1].isEmpty())) {
    std::fprintf(stderr, "使い方: radadovur [DIR]\n");
    return 2;
  }
  const std::string folder = args.size() == 2 ? args[1].toStdString() : ExecutableFolder();
  // A missing folder is said now, not first by button ①, and nothing is made in its place.
  if (!ui::ProgramFolderUsable(folder)) return 1;

  // The main window's JVLink1: the stand-in replaying the recordings its settings name.
  auto jv_link = jvlink::MakeReplayJvLink(common::WithTrailingSlash(folder));
  ui::MainWindow window(folder, *jv_link);
  ui::InstallJvLinkSettingsDialog(*jv_link, &window, common::WithTrailingSlash(folder));
  ui::ConnectWorkflowSteps(window);
  // The program ends when its last window is closed, the main window included (see
  // MainWindow::EndWhenNoWindowOpen), not as soon as the main window closes.
  app.setQuitOnLastWindowClosed(false);
  app.installEventFilter(&window);
  window.Load(common::LocalToday());
  window.show();
  return app.exec();
}
