#include "ui/screen_pacer.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QWidget>
#include <vector>

#include "ui/status_slots.h"
#include "ui/window_host.h"

namespace radadovur::ui {

ScreenPacer::ScreenPacer(const QWidget& window, std::function<Clock::time_point()> now)
    : window_(window), now_(std::move(now)) {}

bool ScreenPacer::Due(std::optional<Clock::time_point>& last) {
  if (steps_ == 0) return true;
  const Clock::time_point now = now_();
  if (last && now - *last < kInterval) return false;
  last = now;
  return true;
}

void ScreenPacer::SetStatus(common::StatusSlot slot, const std::string& utf8) {
  texts_[slot] = utf8;
  if (Due(shown_)) Show(true);
}

void ScreenPacer::SetProgress(common::ProgressSlot slot, int64_t value) {
  values_[slot] = value;
  if (Due(shown_)) Show(true);
}

void ScreenPacer::Yield() {
  if (!Due(handled_)) return;
  shown_ = handled_;
  Show(false);
  QCoreApplication::processEvents();
}

void ScreenPacer::ShowKept() { Show(false); }

void ScreenPacer::Show(bool repaint) {
  std::vector<QWidget*> changed;
  for (const auto& [slot, text] : texts_) {
    QWidget* widget = SlotWidgetIn(window_, ControlOf(slot));
    ShowSlotText(widget, text);
    if (widget) changed.push_back(widget);
  }
  for (const auto& [slot, value] : values_) {
    if (auto* bar = qobject_cast<QProgressBar*>(SlotWidgetIn(window_, ControlOf(slot)))) {
      bar->setValue(static_cast<int>(value));
      changed.push_back(bar);
    }
  }
  texts_.clear();
  values_.clear();
  // Outside a step the window repaints when the caller returns to its event loop.
  if (repaint && steps_ > 0)
    for (QWidget* widget : changed) widget->repaint();
}

ScreenPacer::Step::Step(ScreenPacer& pacer) : pacer_(pacer) {
  if (pacer_.steps_++ == 0) pacer_.shown_ = pacer_.handled_ = std::nullopt;
}

ScreenPacer::Step::~Step() {
  if (--pacer_.steps_ == 0) pacer_.ShowKept();
}

}  // namespace radadovur::ui
