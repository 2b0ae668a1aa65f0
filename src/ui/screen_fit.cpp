#include "ui/screen_fit.h"

#include <QFrame>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace radadovur::ui {

void FitToScreen(QWidget& window, QSize design) {
  if (QLayout* layout = window.layout()) {
    auto* content = new QWidget;
    content->setObjectName(window.objectName() + "Content");
    content->setLayout(layout);  // takes the layout and its widgets from the window
    auto* scroll = new QScrollArea;
    scroll->setObjectName(window.objectName() + "Scroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
  }
  QSize largest = kLargestWindow;
  if (const QScreen* screen = window.screen()) largest = largest.boundedTo(screen->availableGeometry().size());
  window.resize(design.boundedTo(largest));
}

}  // namespace radadovur::ui
