#include "ui/qt_translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include "support/qt_app.h"

namespace radadovur::testing {
namespace {

// The folder chooser behind 参照... is Qt's own dialog: its texts come from Qt's Japanese
// translations, which the program loads at its start.
TEST(QtTranslationsTest, QtDialogsSpeakJapanese) {
  QtApp();
  QTranslator* translator = ui::InstallQtJapanese(*QCoreApplication::instance());
  ASSERT_NE(translator, nullptr) << "qt6-translations-l10n is not installed (scripts/install-deps.sh)";
  const QString look_in = QCoreApplication::translate("QFileDialog", "Look in:");
  const QString directory = QCoreApplication::translate("QFileDialog", "Directory:");
  QCoreApplication::removeTranslator(translator);
  delete translator;
  EXPECT_NE(look_in, "Look in:");
  EXPECT_NE(directory, "Directory:");
}

}  // namespace
}  // namespace radadovur::testing
