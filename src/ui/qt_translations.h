#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts (the folder chooser behind 参照..., its buttons and columns) in Japanese, from Qt's
// translations as the system installs them (Debian: qt6-translations-l10n).
namespace radadovur::ui {

// Loads "qtbase_ja" from Qt's translation folder into `app` and returns it (owned by `app`);
// nullptr when it is not installed, and Qt's dialogs stay in English.
QTranslator* InstallQtJapanese(QCoreApplication& app);

}  // namespace radadovur::ui
