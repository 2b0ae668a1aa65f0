#include "ui/odds/realtime_menu_window.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "steps/odds_download.h"
#include "steps/realtime_results.h"
#include "ui/odds/jvlink_settings_button.h"
#include "ui/odds/realtime_results_window.h"

namespace radadovur::ui {

RealtimeMenuWindow::RealtimeMenuWindow(common::RunState& state, std::unique_ptr<jvlink::JvLink> jv_link, QWidget* parent)
    : QWidget(parent, Qt::Window), WindowHost(static_cast<QWidget&>(*this)), state_(state), jv_link_(std::move(jv_link)) {
  setObjectName("VLTP2RIALTIME");
  setWindowTitle(QString::fromUtf8("速報 Ver.2024.7.8"));
  command1_ = new QPushButton(QString::fromUtf8("Ⅱ　速報オッズ情報"), this);
  command1_->setObjectName("Command1");
  command2_ = new QPushButton(QString::fromUtf8("Ⅲ　速報着順等情報"), this);
  command2_->setObjectName("Command2");
  command3_ = new QPushButton(QString::fromUtf8("設定ODDS"), this);
  command3_->setObjectName("Command3");
  text1_ = new QLineEdit(this);
  text1_->setObjectName("Text1");
  MakeStatusBox(*text1_);
  text1_->setMinimumWidth(text1_->fontMetrics().horizontalAdvance(QString::fromUtf8("速報払戻等取得を開始します。。。。。")) + 16);
  for (QPushButton* b : {command1_, command2_, command3_}) b->setMinimumHeight(30);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(command1_);
  layout->addWidget(command2_);
  layout->addWidget(text1_);
  layout->addWidget(command3_);
  resize(400, 180);

  // The realtime results window loads with its own JV-Link; its messages come over this window.
  results_factory_ = [this] { return MakeRealtimeResultsWindow(state_, *this); };
  connect(command1_, &QPushButton::clicked, this, [this] { FetchRealtimeOdds(); });
  connect(command2_, &QPushButton::clicked, this, [this] { ShowRealtimeResults(); });
  connect(command3_, &QPushButton::clicked, this, [this] { ShowJvLinkSettings(*jv_link_, *this); });
}

RealtimeMenuWindow::~RealtimeMenuWindow() = default;

void RealtimeMenuWindow::SetButtonsEnabled(bool enabled) {
  for (QPushButton* b : {command1_, command2_, command3_}) b->setEnabled(enabled);
}

void RealtimeMenuWindow::FetchRealtimeOdds() {
  RunOwnStep([this] { failures_ = steps::RunRealtimeOdds(state_, *jv_link_, *this); });
}

void RealtimeMenuWindow::ShowRealtimeResults() {
  RunOwnStep([this] { LoadRealtimeResultsWindow(); });
}

void RealtimeMenuWindow::LoadRealtimeResultsWindow() {
  // The step shows its start text once the gate let it run: a refusal shows only the refusal.
  state_.OddsSource = 1;
  // A single window: loaded when it is not open, else only shown again.
  if (results_window_ && results_window_->isVisible()) {
    results_window_->raise();
    results_window_->activateWindow();
    SetStatus(common::StatusSlot::kRealtimeText1, std::string(steps::kRealtimeResultsEndText));
  } else if ((results_window_ = results_factory_())) {
    results_window_->setParent(this, results_window_->windowFlags() | Qt::Window);
    results_window_->setAttribute(Qt::WA_DeleteOnClose);
    results_window_->show();
    // The end text says whether the load did its work.
    const auto* loaded = qobject_cast<RealtimeResultsWindow*>(results_window_.data());
    failures_ = loaded ? loaded->report().failures : common::StepFailures{};
    SetStatus(common::StatusSlot::kRealtimeText1, steps::RealtimeResultsMenuEndText(failures_));
  } else {
    // Refused: the message said what to run first.
    SetStatus(common::StatusSlot::kRealtimeText1, std::string(steps::kRealtimeResultsRefusedText));
  }
}

void RealtimeMenuWindow::closeEvent(QCloseEvent* event) {
  if (KeepOpenWhileRunning(*event)) return;
  QWidget::closeEvent(event);
}

}  // namespace radadovur::ui
