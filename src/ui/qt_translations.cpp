#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace radadovur::ui {

QTranslator* InstallQtJapanese(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);  // lives as long as the application
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace radadovur::ui
