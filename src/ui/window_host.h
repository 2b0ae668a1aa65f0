#pragma once
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "common/step_host.h"
#include "ui/screen_pacer.h"
#include "ui/stop_on_close.h"
#include "ui/status_slots.h"

class QCloseEvent;
class QLineEdit;

namespace radadovur::ui {
class DownloadProgressWindow;

// The control of a slot: in `window` itself when it has the slot's window name, else in the
// newest open window of that name among its children (a dialog or a window it opened).
QWidget* SlotWidgetIn(const QWidget& window, const SlotControl& at);
// Shows a status text in a text box, label or button.
void ShowSlotText(QWidget* widget, const std::string& utf8);
// Gives a control a back colour, 0xBBGGRR.
void ShowSlotColour(QWidget* widget, uint32_t bgr);
// Makes `box` a read-only status box. Tab never moves into it: a step turns its window's buttons
// off, which moved the focus from the clicked button into a box and selected all its text, and
// the highlight stayed after the step. A click still selects, to copy a text.
void MakeStatusBox(QLineEdit& box);

// The step host of a window that runs steps itself (the prediction window, the odds window, the
// realtime menu): status texts go to its controls, messages are boxes over it, and a download's
// progress dialog is its own. While the window runs a step (RunOwnStep), its buttons are off and
// texts, bar values and yields are paced. The window derives from QWidget and from this, in that
// order.
class WindowHost : public common::StepHost {
 public:
  // Runs a step's work, e.g. through the main window so that the workflow buttons of every window
  // are off meanwhile; without one the work runs directly.
  using StepRunner = std::function<void(const std::function<void()>&)>;

  explicit WindowHost(QWidget& window) : window_(window), pacer_(window) {}

  void SetStepRunner(StepRunner runner) { step_runner_ = std::move(runner); }
  // Where else a stop of the running step may be asked for (the main window's close).
  void SetOuterStop(std::function<bool()> requested) { outer_stop_ = std::move(requested); }
  bool StepRunning() const { return running_; }
  // The window's buttons that start steps (off while a step of this or any other window runs).
  virtual void SetButtonsEnabled(bool enabled) = 0;
  QWidget& HostWindow() { return window_; }

  void SetStatus(common::StatusSlot slot, const std::string& utf8) override;
  void SetBackColour(common::StatusSlot slot, uint32_t bgr) override;
  void Message(const std::string& utf8) override;
  void FailureMessage(const common::FailureReport& report) override;
  bool Ask(const std::string& utf8) override;
  void BeginProgress(common::ProgressSlot slot, int64_t total) override;
  void SetProgress(common::ProgressSlot slot, int64_t value) override;
  void EndProgress(common::ProgressSlot slot) override;
  bool CancelRequested() override;
  void Yield() override;

 protected:
  ScreenPacer& pacer() { return pacer_; }
  // Runs one of the window's steps: its buttons off and what it shows paced meanwhile, through
  // the step runner.
  void RunOwnStep(const std::function<void()>& work);
  // For the window's closeEvent: while a step runs the close is held back (true), since the
  // window would be deleted under the step at its next yield; the user is asked whether to stop
  // the step, and on Yes the window closes when it has ended (StopOnClose).
  bool KeepOpenWhileRunning(QCloseEvent& event);

 private:
  QWidget& window_;
  ScreenPacer pacer_;
  StepRunner step_runner_;
  bool running_ = false;
  StopOnClose stop_;
  std::function<bool()> outer_stop_;
  QPointer<DownloadProgressWindow> download_dialog_;
};

}  // namespace radadovur::ui
