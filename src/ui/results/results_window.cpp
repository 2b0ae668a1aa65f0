#include "ui/results/results_window.h"

#include <QHBoxLayout>
#include <QListWidget>

#include "results/results_pass.h"
#include "steps/results.h"

namespace radadovur::ui {

ResultsWindow::ResultsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), state_(std::make_unique<results::ResultsWindowState>()) {
  setObjectName("YOSOKEKKATHISWEEKNAZ");
  setWindowTitle(QString::fromUtf8("予想・結果 Ver.2024.8.12A"));
  list1_ = new QListWidget(this);
  list1_->setObjectName("List1");
  // Wide enough for an item: the date, course, meeting, day and race, the spaces and the key.
  list1_->setMinimumWidth(list1_->fontMetrics().horizontalAdvance(
                              QString::fromUtf8("2024年09月22日06中山04回04日11R          202409220611")) +
                          40);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list1_);
  resize(minimumSizeHint().width(), 520);
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::Load(const common::RunState& state, common::StepHost& main_window) {
  const results::ResultsPassOutcome outcome = steps::RunResultsStep(state, main_window, *state_);
  failures_ = outcome.failures;
  list1_->clear();
  for (const auto& item : outcome.List1Items) list1_->addItem(QString::fromStdString(item));
}

std::string ResultsWindow::EndText() const { return results::ResultsEndText(failures_); }

ResultsWindow* MakeResultsWindow(const common::RunState& state, common::StepHost& main_window) {
  auto* window = new ResultsWindow;
  window->Load(state, main_window);
  return window;
}

}  // namespace radadovur::ui
