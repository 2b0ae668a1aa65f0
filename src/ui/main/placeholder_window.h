#pragma once
#include <QWidget>
#include <string>

namespace radadovur::ui {

// Stands in for a window that comes with a later version: its caption and a note, nothing else.
class PlaceholderWindow : public QWidget {
  Q_OBJECT
 public:
  PlaceholderWindow(const std::string& window_name, const std::string& caption, QWidget* parent = nullptr);
};

}  // namespace radadovur::ui
