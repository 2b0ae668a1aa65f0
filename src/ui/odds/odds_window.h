#pragma once
#include <QWidget>
#include <memory>

#include "common/run_state.h"
#include "common/status.h"
#include "jvlink/jv_link.h"
#include "steps/odds_download.h"
#include "ui/window_host.h"

class QCloseEvent;
class QLineEdit;
class QPushButton;

namespace radadovur::ui {

// This week's odds window VLTFOTHISWEEKNAZ: "今週のオッズ" (quinella, exacta, trio) and
// "今週の3連単" (trifecta) through its own JV-Link, with its own progress dialog and end texts,
// and JV-Link's settings. A single window, re-used while it is open.
class OddsWindow : public QWidget, public WindowHost {
  Q_OBJECT
 public:
  // `state` is the main window's (the program folder, OddsSource); `jv_link` is this window's own.
  OddsWindow(common::RunState& state, std::unique_ptr<jvlink::JvLink> jv_link, QWidget* parent = nullptr);
  ~OddsWindow() override;

  jvlink::JvLink& JVLink1() { return *jv_link_; }
  const steps::OddsWindowState& DownloadState() const { return download_; }
  // What the last fetch could not do.
  const common::StepFailures& LastFailures() const { return failures_; }
  // The three buttons (while a step of this or any other window of the program runs: off).
  void SetButtonsEnabled(bool enabled) override;

 protected:
  // Closing while a step runs would delete the window under the step.
  void closeEvent(QCloseEvent* event) override;

 private:
  void Fetch(steps::ThisWeekOdds which);

  common::RunState& state_;
  std::unique_ptr<jvlink::JvLink> jv_link_;
  steps::OddsWindowState download_;
  common::StepFailures failures_;
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
  QLineEdit* text1_;
};

}  // namespace radadovur::ui
