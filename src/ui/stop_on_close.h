#pragma once
#include <functional>
#include <string>
#include <string_view>

class QCloseEvent;
class QWidget;

namespace radadovur::ui {

inline constexpr std::string_view kStopQuestion = "処理中です。中止しますか？";

// A window closed while one of its steps runs. The user is asked whether to stop the step: on No
// the step goes on and the window stays; on Yes the step is asked to stop (its host's
// CancelRequested, which a long step reads between two horses or races and a download reads as
// its cancel button) and the window closes as soon as the step has ended. The close is never
// dropped without a word, and the window never goes away under a running step.
class StopOnClose {
 public:
  using Ask = std::function<bool(const std::string&)>;

  // For the window's closeEvent: false when no step runs (the close goes ahead); otherwise the
  // close is held back (true) and, unless a stop is already asked for, `ask` puts the question.
  bool HoldBack(QCloseEvent& event, bool step_running, const Ask& ask);
  // True once the user chose to stop the running step.
  bool Requested() const { return requested_; }
  // When the window's outermost step has ended: a stop asked for is done, and the window closes.
  void StepEnded(QWidget& window);

 private:
  bool requested_ = false;
  bool asking_ = false;
};

}  // namespace radadovur::ui
