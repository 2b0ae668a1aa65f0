#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "common/step_host.h"

class QWidget;

namespace radadovur::ui {

// Paces what a running step puts on the screen. The engine sets a text for each horse record and
// yields several times for each horse, and a repaint costs far more than its work for the item.
// While a step runs, texts and bar values are kept and shown at most 25 times a second (the
// controls that changed repaint at once), and a yield handles the window's events as often; what
// is kept is shown before a message box or a bar's start or end and when the step ends, so the
// step's last text and value are always on screen. Outside a step everything shows at once.
class ScreenPacer {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kInterval = std::chrono::milliseconds(40);

  // The slots' controls are found in `window` as the step host finds them (SlotWidgetIn).
  explicit ScreenPacer(const QWidget& window, std::function<Clock::time_point()> now = Clock::now);

  void SetStatus(common::StatusSlot slot, const std::string& utf8);
  void SetProgress(common::ProgressSlot slot, int64_t value);
  void Yield();
  // Puts everything kept into its control now.
  void ShowKept();

  // A step runs while one lives (they nest): its first text and its first yield are not held
  // back, and what it leaves kept is shown when the outermost ends.
  class Step {
   public:
    explicit Step(ScreenPacer& pacer);
    ~Step();
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

   private:
    ScreenPacer& pacer_;
  };

 private:
  // True (and `last` now) when a step runs no longer or `last` is an interval ago.
  bool Due(std::optional<Clock::time_point>& last);
  // Shows what is kept; with `repaint`, the changed controls repaint at once.
  void Show(bool repaint);

  const QWidget& window_;
  std::function<Clock::time_point()> now_;
  int steps_ = 0;
  std::map<common::StatusSlot, std::string> texts_;
  std::map<common::ProgressSlot, int64_t> values_;
  std::optional<Clock::time_point> shown_;    // texts and values last put on screen
  std::optional<Clock::time_point> handled_;  // events last handled
};

}  // namespace radadovur::ui
