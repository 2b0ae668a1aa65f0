#pragma once

namespace radadovur::ui {
class MainWindow;

// Connects the main window's workflow buttons to their steps: ① this week's download (with the
// progress dialog) and ② the structure processing.
void ConnectWorkflowSteps(MainWindow& window);

}  // namespace radadovur::ui
