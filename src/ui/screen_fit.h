#pragma once
#include <QSize>
#include <QWidget>

namespace radadovur::ui {

// The largest window the program opens: a 1366x768 laptop screen less a panel.
inline constexpr QSize kLargestWindow(1366, 728);

// Puts the window's laid-out content into a scroll area, so that a window smaller than its
// content (on a small screen) still reaches every control; then gives the window its design
// size, no larger than kLargestWindow and the screen. The controls and their order stay.
void FitToScreen(QWidget& window, QSize design);

}  // namespace radadovur::ui
