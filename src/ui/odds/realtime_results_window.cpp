#include "ui/odds/realtime_results_window.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "jvlink/jvlink_settings.h"
#include "steps/gate.h"

namespace radadovur::ui {

RealtimeResultsWindow::RealtimeResultsWindow(std::unique_ptr<jvlink::JvLink> jv_link, QWidget* parent)
    : QWidget(parent, Qt::Window), jv_link_(std::move(jv_link)) {
  setObjectName("VLTHRRIALTIME");
  setWindowTitle(QStringLiteral("2024.6.29Z"));
  label1_ = new QLabel(QString::fromUtf8("速報払戻・単勝･着順取得"), this);
  label1_->setObjectName("Label1");
  label1_->setAlignment(Qt::AlignCenter);
  command1_ = new QPushButton(QString::fromUtf8("速報払戻単勝着順所得完了"), this);
  command1_->setObjectName("Command1");
  command1_->setMinimumHeight(30);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  layout->addWidget(command1_);
  resize(360, 110);
  connect(command1_, &QPushButton::clicked, this, &QWidget::close);
}

RealtimeResultsWindow::~RealtimeResultsWindow() = default;

void RealtimeResultsWindow::Load(const common::RunState& state, common::StepHost& host) {
  report_ = steps::LoadRealtimeResults(state, *jv_link_, host);
}

RealtimeResultsWindow* MakeRealtimeResultsWindow(const common::RunState& state, common::StepHost& host) {
  // A refused load changes nothing and its message says what to run first: no window.
  if (!steps::MayRun(state, host, steps::WeekStep::kRealtimeResults).empty()) return nullptr;
  auto* window = new RealtimeResultsWindow(jvlink::MakeReplayJvLink(state.AppPath));
  window->Load(state, host);
  return window;
}

}  // namespace radadovur::ui
