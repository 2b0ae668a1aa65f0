// radadovur [DIR]: the program with its main window. DIR is the program folder to work in (a
// demo folder, say); without it the folder of the program itself.
#include <QApplication>
#include <cstdio>

#include "app/file_date.h"
#include "app/main_window.h"
#include "app/null_jv_link.h"
#include "common/app_path.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();  // Qt's own options removed
  if (args.size() > 2) {
    std::fprintf(stderr, "usage: radadovur [DIR]\n");
    return 2;
  }
  if (args.size() == 2) radadovur::SetAppPath(args[1].toStdString());

  radadovur::NullJvLink jv_link;
  radadovur::MainWindow window(radadovur::GetAppPath(), jv_link);
  window.Load(radadovur::LocalToday());
  window.show();
  return app.exec();
}
