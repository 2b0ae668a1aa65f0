#include "ui/main/placeholder_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace radadovur::ui {

PlaceholderWindow::PlaceholderWindow(const std::string& window_name, const std::string& caption, QWidget* parent)
    : QWidget(parent) {
  setObjectName(QString::fromStdString(window_name));
  setWindowTitle(QString::fromStdString(caption));
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(QString::fromUtf8("この画面は今後のバージョンで使えるようになります。"), this);
  note->setObjectName("Note");
  note->setAlignment(Qt::AlignCenter);
  layout->addWidget(note);
  resize(420, 160);
}

}  // namespace radadovur::ui
