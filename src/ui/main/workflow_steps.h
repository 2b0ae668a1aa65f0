#pragma once

namespace radadovur::ui {
class MainWindow;

// Connects the main window's workflow buttons to their steps: ① this week's download (with the
// progress dialog) and ② the structure processing, followed by the cancellation processing when
// the cancellation option is selected.
void ConnectWorkflowSteps(MainWindow& window);

}  // namespace radadovur::ui
