#pragma once
#include <QCoreApplication>
#include <QTranslator>

#include "ui/qt_translations.h"

namespace radadovur::testing {

// Qt's own texts (a question box's Yes and No) in Japanese while it lives, as the program loads
// them at its start: for pictures of what the user sees. Nothing when they are not installed.
class QtJapanese {
 public:
  QtJapanese() : translator_(ui::InstallQtJapanese(*QCoreApplication::instance())) {}
  ~QtJapanese() {
    if (!translator_) return;
    QCoreApplication::removeTranslator(translator_);
    delete translator_;
  }
  QtJapanese(const QtJapanese&) = delete;
  QtJapanese& operator=(const QtJapanese&) = delete;

 private:
  QTranslator* translator_;
};

}  // namespace radadovur::testing
