#pragma once
#include <QApplication>
#include <QFont>

namespace radadovur::testing {

// The one QApplication of a window-test process (offscreen unless a platform is set), with a
// Japanese font so that screenshots show the captions.
inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "radadovur_window_test";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = [] {
    auto* a = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!a) a = new QApplication(argc, argv);
    a->setFont(QFont("IPAGothic", 10));
    return a;
  }();
  return *app;
}

}  // namespace radadovur::testing
