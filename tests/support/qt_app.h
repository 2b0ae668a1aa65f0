#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QTimer>

#include <string>

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

// Closes the message box that is open when the event loop next runs (a box shown after this call
// runs its own loop): its text into `asked`, pictured as `shot` when given, then `answer` clicked
// (NoButton: accepted). Nothing when no box is open then.
inline void AnswerNextBox(QMessageBox::StandardButton answer, std::string& asked, const char* shot = nullptr);

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

namespace radadovur::testing {

inline void AnswerNextBox(QMessageBox::StandardButton answer, std::string& asked, const char* shot) {
  QTimer::singleShot(0, [&asked, answer, shot] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    asked = box->text().toStdString();
    if (shot) SaveScreenshot(*box, shot);
    if (answer == QMessageBox::NoButton)
      box->accept();
    else
      box->button(answer)->click();
  });
}

}  // namespace radadovur::testing
