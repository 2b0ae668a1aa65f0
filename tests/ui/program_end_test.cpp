// When the program ends, with the real event loop running.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTimer>

#include "ui/main/main_window.h"
#include "jvlink/null_jv_link.h"
#include "support/program_folder.h"
#include "ui/quiet_main_window.h"
#include "support/qt_app.h"

namespace radadovur::ui {
namespace {

using QuietWindow = testing::QuietMainWindow;

// Runs the event loop until the program ends (0) or a few seconds pass (1). The time limit ends
// with the loop: left pending, it would end the application's loops later, and every box that
// a later test opens would close at once.
int RunEventLoop() {
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  limit.start(3000);
  return QCoreApplication::exec();
}

TEST(ProgramEnd, ButtonThreeWithoutThePackageEndsTheProgramAfterItsMessage) {
  testing::QtApp();
  testing::ProgramFolder folder;
  jvlink::NullJvLink link;
  QuietWindow window(folder.app_path(), link);
  window.show();
  QTimer::singleShot(0, [&] { window.findChild<QAbstractButton*>("Command6")->click(); });
  EXPECT_EQ(RunEventLoop(), 0);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0], folder.app_path() + "に参照場所(展開フォルダ）に初回予想因子ウエイトが有りませんので、ソフトを終了します。");
}

TEST(ProgramEnd, TheProgramEndsWithItsLastWindowNotWithTheMainWindow) {
  QApplication& app = testing::QtApp();
  testing::ProgramFolder folder;
  jvlink::NullJvLink link;
  QuietWindow window(folder.app_path(), link);
  app.setQuitOnLastWindowClosed(false);
  app.installEventFilter(&window);
  window.show();
  QWidget* history = nullptr;
  bool open_after_main_closed = false;
  QTimer::singleShot(0, [&] {
    window.findChild<QAbstractButton*>("Command11")->click();  // 過去予想成績
    history = window.findChild<QWidget*>("KakoSeisekiAZ");
    window.close();
  });
  QTimer::singleShot(100, [&] {
    open_after_main_closed = history && history->isVisible();
    if (history) history->close();
  });
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_TRUE(open_after_main_closed);
  app.removeEventFilter(&window);
  app.setQuitOnLastWindowClosed(true);
}

}  // namespace
}  // namespace radadovur::ui
