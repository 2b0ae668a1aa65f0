#pragma once
#include <QWidget>
#include <memory>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "jvlink/jv_link.h"

class QLineEdit;
class QPushButton;

namespace radadovur::ui {

// The cancellation window "CHUSIRIALTIME": button ② makes a new one after the structure window
// when the cancellation option is selected. Loading it runs the whole cancellation processing
// with its own JV-Link instance; afterwards it shows its text until Command1 closes it.
class ChusiRialtimeWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ChusiRialtimeWindow(std::unique_ptr<jvlink::JvLink> jv_link, QWidget* parent = nullptr);
  ~ChusiRialtimeWindow() override;

  // The load: the processing, its texts in Text1 and everything else through the main window.
  void Load(const common::RunState& state, common::StepHost& main_window);

  QLineEdit* text1() const { return text1_; }
  QPushButton* command1() const { return command1_; }
  const common::StepFailures& failures() const { return failures_; }

 private:
  std::unique_ptr<jvlink::JvLink> jv_link_;  // JVLink1
  QLineEdit* text1_;
  QPushButton* command1_;
  common::StepFailures failures_;
};

// What button ② does for this window: a new one with a JV-Link instance of its own, loaded (the
// main window shows it); nullptr, and no window, when the processing was refused.
ChusiRialtimeWindow* MakeChusiRialtimeWindow(const common::RunState& state, common::StepHost& main_window);

}  // namespace radadovur::ui
