// radadovur [DIR]: the program with its main window. DIR is the program folder to work in (a
// demo folder, say); without it the folder of the program itself.
#include <QApplication>
#include <cstdio>

#include "common/file_date.h"
#include "app/main_window.h"
#include "app/workflow_steps_window.h"
#include "common/app_path.h"
#include "jvlink/jvlink_settings.h"
#include "jvlink/jvlink_settings_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();  // Qt's own options removed
  if (args.size() > 2) {
    std::fprintf(stderr, "usage: radadovur [DIR]\n");
    return 2;
  }
  if (args.size() == 2) radadovur::SetAppPath(args[1].toStdString());

  // The main window's JVLink1: the stand-in replaying the recordings its settings name.
  auto jv_link = radadovur::MakeReplayJvLink(radadovur::GetAppPath());
  radadovur::MainWindow window(radadovur::GetAppPath(), *jv_link);
  radadovur::InstallJvLinkSettingsDialog(*jv_link, &window);
  radadovur::ConnectWorkflowSteps(window);
  // The program ends when its last window is closed, the main window included (see
  // MainWindow::EndWhenNoWindowOpen), not as soon as the main window closes.
  app.setQuitOnLastWindowClosed(false);
  app.installEventFilter(&window);
  window.Load(radadovur::LocalToday());
  window.show();
  return app.exec();
}
