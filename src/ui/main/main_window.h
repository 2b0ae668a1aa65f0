#pragma once
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>
#include <string>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "jvlink/jv_link.h"
#include "ui/screen_pacer.h"
#include "ui/stop_on_close.h"

class QAbstractButton;
class QButtonGroup;
class QRadioButton;

namespace radadovur::ui {
class DownloadProgressWindow;
class WindowHost;

// The main window VLTF1THISWEEKNAZ: the program's start-up and its menu of workflow buttons,
// with the status boxes that the steps write. It owns the program's run state and is the step
// host of every step it runs; while one runs, texts, bar values and yields are paced.
class MainWindow : public QWidget, public common::StepHost {
  Q_OBJECT
 public:
  // Work run inside a button's click: button ①'s download, button ②'s structure window.
  using Action = std::function<void(MainWindow&)>;
  // Makes (and so loads) the window of the given name; the main window shows it.
  using WindowFactory = std::function<QWidget*(MainWindow&)>;

  MainWindow(const std::string& app_path, jvlink::JvLink& jv_link, QWidget* parent = nullptr);

  // The window's load: the program's start-up, with the package's age counted to `today`.
  void Load(std::chrono::year_month_day today);
  // What start-up could not do (nothing of it is shown in the window).
  const common::StepFailures& StartupFailures() const { return startup_failures_; }

  void SetDownloadAction(Action action) { download_action_ = std::move(action); }
  void SetStructureAction(Action action) { structure_action_ = std::move(action); }
  // Replaces the placeholder of a window that a button opens, e.g. "VELTRANODDSN".
  void SetWindowFactory(const std::string& window_name, WindowFactory factory);
  // A single window of the program: loaded on first use (or after it was closed), else shown again.
  void ShowSingle(const std::string& name);
  // Shows a window made for a step, as a window of the program (closed with it, deleted on close).
  void Present(QWidget* window);

  const std::string& AppPath() const { return state_.AppPath; }
  common::RunState& State() { return state_; }
  jvlink::JvLink& JVLink1() { return jv_link_; }
  // True while a button's step runs; the workflow buttons are disabled meanwhile.
  bool StepRunning() const { return step_depth_ > 0; }
  // Runs a button's work with the workflow buttons disabled, so that a yield inside it cannot
  // start a second step or end the program in the middle of a write. Windows that run steps of
  // the week's workflow (the prediction window) run them through here too. Closing the window
  // meanwhile asks whether to stop the step (StopOnClose); it closes when the step has ended.
  void RunStep(const std::function<void()>& work);

  // StepHost.
  void SetStatus(common::StatusSlot slot, const std::string& text) override;
  void SetBackColour(common::StatusSlot slot, uint32_t bgr) override;
  void Message(const std::string& text) override;
  void FailureMessage(const common::FailureReport& report) override;
  bool Ask(const std::string& text) override;
  void BeginProgress(common::ProgressSlot slot, int64_t total) override;
  void SetProgress(common::ProgressSlot slot, int64_t value) override;
  void EndProgress(common::ProgressSlot slot) override;
  bool CancelRequested() override;
  void Yield() override;

 signals:
  // The workflow buttons were turned off (a step started) or on again (it ended).
  void WorkflowEnabledChanged(bool enabled);

 protected:
  // Ends the program at once: every window closes, no window is asked.
  virtual void EndProgram();
  virtual void OpenWebPage(const char* address);
  void closeEvent(QCloseEvent* event) override;
  // Watches the program's windows closing: the program ends when the last one is closed.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QAbstractButton* Button(const char* name, const char* caption);
  void Connect(const char* name, std::function<void()> handler);
  void SetWorkflowEnabled(bool enabled);

  QWidget* MakeWindow(const std::string& name);
  // A window made anew on every click; nullptr when none could be made.
  QWidget* OpenNew(const std::string& name);

  // Ends the program when neither the main window nor any window it opened is open any more.
  void EndWhenNoWindowOpen();

  // The control of a slot, in this window or in a window it opened; nullptr when not open.
  QWidget* SlotWidget(const char* window, const char* control) const;
  void TakeCancellationOption();
  void ClearOption1();

  void OnSettings();
  void OnStructure();
  void OnPrediction();
  void OnResults();
  // The start text, the work, then the end text it returns.
  void WithStatus(common::StatusSlot slot, const char* start, const std::function<std::string()>& work);
  // What failed in the load of the single window `name` (none for a window that keeps none;
  // refused when its load built no window).
  common::StepFailures SingleWindowFailures(const std::string& name) const;

  common::RunState state_;
  jvlink::JvLink& jv_link_;
  common::StepFailures startup_failures_;
  QPointer<DownloadProgressWindow> download_dialog_;
  Action download_action_;
  Action structure_action_;
  std::map<std::string, WindowFactory> factories_;
  std::map<std::string, QPointer<QWidget>> single_windows_;
  QRadioButton* option1_ = nullptr;
  QButtonGroup* option1_group_ = nullptr;
  std::vector<QAbstractButton*> workflow_controls_;  // the buttons, Option1 and Picture1
  int step_depth_ = 0;
  StopOnClose stop_;
  ScreenPacer pacer_{*this};
};

// Wires a window that runs steps of its own (prediction, odds, realtime menu) to the main window:
// its steps run as the main window's steps, so that no workflow button of any window can start a
// second step on the same files during their yields, and its buttons are off while any step of
// the program runs.
void AttachToMainWindow(WindowHost& window, MainWindow& main_window);

}  // namespace radadovur::ui
