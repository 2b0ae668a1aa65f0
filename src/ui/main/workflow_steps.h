#pragma once

namespace radadovur::ui {
class MainWindow;

// Connects the main window's workflow buttons to their steps: ① this week's download (with the
// progress dialog), ② the structure processing, followed by the cancellation processing when
// the cancellation option is selected, ③'s prediction window, ⑥ the results window, and the
// windows of the odds buttons (this week's odds, the realtime menu, the odds matrices) and the
// three factor weight windows.
void ConnectWorkflowSteps(MainWindow& window);

}  // namespace radadovur::ui
