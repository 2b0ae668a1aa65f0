#pragma once
#include <string>
#include <vector>

#include "app/main_window.h"

namespace radadovur::testing {

// The main window with its message boxes recorded instead of shown.
class QuietMainWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  void Message(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

}  // namespace radadovur::testing
