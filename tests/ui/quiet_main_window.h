#pragma once
#include <string>
#include <vector>

#include "ui/main/main_window.h"

namespace radadovur::testing {

// The main window with its message boxes recorded instead of shown.
class QuietMainWindow : public ui::MainWindow {
 public:
  using ui::MainWindow::MainWindow;
  void Message(const std::string& text) override { messages.push_back(text); }
  void FailureMessage(const common::FailureReport& report) override { Message(report.Text()); }
  std::vector<std::string> messages;
};

}  // namespace radadovur::testing
