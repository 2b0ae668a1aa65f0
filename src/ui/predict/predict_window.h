#pragma once
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "common/run_state.h"
#include "common/status.h"
#include "engine/weight_model.h"
#include "ui/window_host.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace radadovur::ui {
class MainWindow;

// The prediction window VELTRANEXPDTHISWEEKNAZ: step ④ (the day-before state) and step ⑤ (the
// expanded records and the calculation), with their texts and progress bars. Button ③ of the
// main window makes a new one on every click; each loads its own model when it opens.
class PredictWindow : public QWidget, public WindowHost {
  Q_OBJECT
 public:
  explicit PredictWindow(const common::RunState& state, QWidget* parent = nullptr);
  ~PredictWindow() override;

  // The window's load: the model of the three surfaces. When it cannot be read a message names
  // the file, and ⑤ is refused in this window; ④ does not need the model.
  void Load();

  bool ModelLoaded() const { return model_loaded_; }
  // What the last run of ④ or ⑤ could not do.
  const common::StepFailures& LastFailures() const { return failures_; }

  // The bars of ④ and ⑤ are this window's own.
  void BeginProgress(common::ProgressSlot slot, int64_t total) override;
  void EndProgress(common::ProgressSlot slot) override;

  // The three buttons (while a step of this or any other window of the program runs: off).
  void SetButtonsEnabled(bool enabled) override;

 protected:
  // Closing while a step runs would take the window's state away under the step.
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnDayBefore();
  void OnPrediction();

  const common::RunState& state_;
  std::unique_ptr<engine::ReferenceModel> model_;
  bool model_loaded_ = false;
  std::string model_error_;
  common::StepFailures failures_;
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
};

}  // namespace radadovur::ui
