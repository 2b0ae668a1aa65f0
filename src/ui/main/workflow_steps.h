#pragma once

namespace radadovur::ui {
class MainWindow;

// Connects the main window's workflow buttons to their steps: ① this week's download (with the
// progress dialog), ② the structure processing, followed by the cancellation processing when
// the cancellation option is selected, ③'s prediction window, and the windows of the odds
// buttons (this week's odds, the realtime menu, the odds matrices).
void ConnectWorkflowSteps(MainWindow& window);

}  // namespace radadovur::ui
