#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "common/run_state.h"
#include "common/status.h"
#include "jvlink/jv_link.h"
#include "ui/window_host.h"

class QCloseEvent;
class QLineEdit;
class QPushButton;

namespace radadovur::ui {

// The realtime menu VLTP2RIALTIME: realtime odds through "0B30" ("Ⅱ　速報オッズ情報"), the
// realtime results window ("Ⅲ　速報着順等情報") and JV-Link's settings ("設定ODDS"). A single
// window, re-used while it is open.
class RealtimeMenuWindow : public QWidget, public WindowHost {
  Q_OBJECT
 public:
  // Makes the realtime results window VLTHRRIALTIME (its making is its load).
  using ResultsWindowFactory = std::function<QWidget*()>;

  RealtimeMenuWindow(common::RunState& state, std::unique_ptr<jvlink::JvLink> jv_link, QWidget* parent = nullptr);
  ~RealtimeMenuWindow() override;

  // Replaces the stand-in for the realtime results window.
  void SetResultsWindowFactory(ResultsWindowFactory factory) { results_factory_ = std::move(factory); }
  jvlink::JvLink& JVLink1() { return *jv_link_; }
  const common::StepFailures& LastFailures() const { return failures_; }
  QWidget* ResultsWindow() const { return results_window_; }
  // The three buttons (while a step of this or any other window of the program runs: off).
  void SetButtonsEnabled(bool enabled) override;

 protected:
  // Closing while a step runs would delete the window under the step.
  void closeEvent(QCloseEvent* event) override;

 private:
  void FetchRealtimeOdds();
  void ShowRealtimeResults();
  void LoadRealtimeResultsWindow();

  common::RunState& state_;
  std::unique_ptr<jvlink::JvLink> jv_link_;
  common::StepFailures failures_;
  ResultsWindowFactory results_factory_;
  QPointer<QWidget> results_window_;
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
  QLineEdit* text1_;
};

}  // namespace radadovur::ui
