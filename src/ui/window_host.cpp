#include "ui/window_host.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>

#include "ui/download/download_progress_window.h"
#include "ui/message_box.h"
#include "ui/cell_colours.h"
#include "common/colour.h"

namespace radadovur::ui {

QWidget* SlotWidgetIn(const QWidget& window, const SlotControl& at) {
  const QString control = QString::fromUtf8(at.control);
  if (window.objectName() == QLatin1String(at.window)) return window.findChild<QWidget*>(control);
  const auto windows = window.findChildren<QWidget*>(QString::fromUtf8(at.window));
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if ((*it)->isWindow()) return (*it)->findChild<QWidget*>(control);
  return nullptr;
}

void ShowSlotText(QWidget* widget, const std::string& utf8) {
  const QString text = QString::fromStdString(utf8);
  if (auto* box = qobject_cast<QLineEdit*>(widget)) {
    box->setText(text);
    box->setCursorPosition(0);  // long texts show their beginning
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  }
}

void MakeStatusBox(QLineEdit& box) {
  box.setReadOnly(true);
  box.setFocusPolicy(Qt::ClickFocus);
}

void ShowSlotColour(QWidget* widget, uint32_t bgr) {
  if (!widget) return;
  const QColor colour(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  QPalette palette = widget->palette();
  const bool box = qobject_cast<QLineEdit*>(widget) != nullptr;
  palette.setColor(box ? QPalette::Base : QPalette::Window, colour);
  palette.setColor(box ? QPalette::Text : QPalette::WindowText, RgbColour(common::ReadableTextColour(RgbOf(colour))));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void WindowHost::RunOwnStep(const std::function<void()>& work) {
  struct Running {
    WindowHost& host;
    explicit Running(WindowHost& h) : host(h) {
      host.running_ = true;
      host.SetButtonsEnabled(false);
    }
    ~Running() {
      host.running_ = false;
      host.SetButtonsEnabled(true);
      host.stop_.StepEnded(host.window_);
    }
  } running(*this);
  const ScreenPacer::Step paced(pacer_);
  if (step_runner_)
    step_runner_(work);
  else
    work();
}

bool WindowHost::KeepOpenWhileRunning(QCloseEvent& event) {
  return stop_.HoldBack(event, running_, [this](const std::string& question) { return Ask(question); });
}

void WindowHost::SetStatus(common::StatusSlot slot, const std::string& utf8) { pacer_.SetStatus(slot, utf8); }

void WindowHost::SetBackColour(common::StatusSlot slot, uint32_t bgr) {
  pacer_.ShowKept();
  ShowSlotColour(SlotWidgetIn(window_, ControlOf(slot)), bgr);
}

void WindowHost::Message(const std::string& utf8) {
  pacer_.ShowKept();
  NewMessageBox(&window_, utf8)->exec();
}

void WindowHost::FailureMessage(const common::FailureReport& report) {
  pacer_.ShowKept();
  NewFailureBox(&window_, report)->exec();
}

bool WindowHost::Ask(const std::string& utf8) {
  pacer_.ShowKept();
  return NewMessageBox(&window_, utf8, QMessageBox::Yes | QMessageBox::No)->exec() == QMessageBox::Yes;
}

void WindowHost::BeginProgress(common::ProgressSlot slot, int64_t total) {
  EndProgress(slot);  // shows what is kept
  download_dialog_ = new DownloadProgressWindow(total, &window_);
  download_dialog_->show();
}

void WindowHost::SetProgress(common::ProgressSlot slot, int64_t value) { pacer_.SetProgress(slot, value); }

void WindowHost::EndProgress(common::ProgressSlot) {
  pacer_.ShowKept();
  if (!download_dialog_) return;
  download_dialog_->Finish();
  download_dialog_->deleteLater();
  download_dialog_ = nullptr;
}

bool WindowHost::CancelRequested() {
  return (download_dialog_ && download_dialog_->cancel_requested()) || stop_.Requested() || (outer_stop_ && outer_stop_());
}

void WindowHost::Yield() { pacer_.Yield(); }

}  // namespace radadovur::ui
