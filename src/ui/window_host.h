#pragma once
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>

#include "common/step_host.h"
#include "ui/screen_pacer.h"
#include "ui/status_slots.h"

namespace radadovur::ui {
class DownloadProgressWindow;

// The control of a slot: in `window` itself when it has the slot's window name, else in the
// newest open window of that name among its children (a dialog or a window it opened).
QWidget* SlotWidgetIn(const QWidget& window, const SlotControl& at);
// Shows a status text in a text box, label or button.
void ShowSlotText(QWidget* widget, const std::string& utf8);
// Gives a control a back colour, 0xBBGGRR.
void ShowSlotColour(QWidget* widget, uint32_t bgr);

// The step host of a window that runs steps itself (the odds window, the realtime menu): status
// texts go to its controls, messages are boxes over it, and a download's progress dialog is its
// own. While the window runs a step (a `ScreenPacer::Step` on `pacer()`), texts, bar values and
// yields are paced. The window derives from QWidget and from this, in that order.
class WindowHost : public common::StepHost {
 public:
  explicit WindowHost(QWidget& window) : window_(window), pacer_(window) {}

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

 private:
  QWidget& window_;
  ScreenPacer pacer_;
  QPointer<DownloadProgressWindow> download_dialog_;
};

}  // namespace radadovur::ui
