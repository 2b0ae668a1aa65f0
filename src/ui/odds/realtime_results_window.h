#pragma once
#include <QWidget>
#include <memory>

#include "common/run_state.h"
#include "common/step_host.h"
#include "jvlink/jv_link.h"
#include "steps/realtime_results.h"

class QLabel;
class QPushButton;

namespace radadovur::ui {

// The realtime results window VLTHRRIALTIME, shown by the realtime menu's "Ⅲ　速報着順等情報".
// Its load fetches the realtime win odds and results with its own JV-Link and patches this
// week's entry of the per-race runner files; Command1 closes it, so the next showing loads again.
class RealtimeResultsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit RealtimeResultsWindow(std::unique_ptr<jvlink::JvLink> jv_link, QWidget* parent = nullptr);
  ~RealtimeResultsWindow() override;

  // The load; messages go through the host of the window that shows this one.
  void Load(const common::RunState& state, common::StepHost& host);

  jvlink::JvLink& JVLink1() { return *jv_link_; }
  const steps::RealtimeResultsReport& report() const { return report_; }

 private:
  std::unique_ptr<jvlink::JvLink> jv_link_;
  QLabel* label1_;
  QPushButton* command1_;
  steps::RealtimeResultsReport report_;
};

// What the realtime menu shows: a new window with a JV-Link instance of its own (the stand-in on
// the recordings its settings name), loaded.
RealtimeResultsWindow* MakeRealtimeResultsWindow(const common::RunState& state, common::StepHost& host);

}  // namespace radadovur::ui
