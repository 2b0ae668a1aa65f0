#include "ui/stop_on_close.h"

#include <QCloseEvent>
#include <QWidget>

namespace radadovur::ui {

bool StopOnClose::HoldBack(QCloseEvent& event, bool step_running, const Ask& ask) {
  if (!step_running) return false;
  event.ignore();
  // A second close while the question is open, or after Yes, asks nothing more.
  if (requested_ || asking_) return true;
  asking_ = true;
  requested_ = ask(std::string(kStopQuestion));
  asking_ = false;
  return true;
}

void StopOnClose::StepEnded(QWidget& window) {
  if (!requested_) return;
  requested_ = false;
  window.close();
}

}  // namespace radadovur::ui
