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

#include <QImage>
#include <QString>
#include <QWidget>

namespace radadovur::testing {

// Saves a picture of the widget as NAME.png in $RADADOVUR_SCREENSHOT_DIR (default: the test's
// working folder, build/tests under ctest), for a look at the window's texts.
inline bool SaveScreenshot(QWidget& widget, const char* name) {
  const QByteArray folder = qgetenv("RADADOVUR_SCREENSHOT_DIR");
  const QString dir = folder.isEmpty() ? QString(".") : QString::fromLocal8Bit(folder);
  return widget.grab().toImage().save(dir + "/" + QString::fromUtf8(name) + ".png");
}

}  // namespace radadovur::testing
