#include "ui/odds/odds_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/odds/jvlink_settings_button.h"

namespace radadovur::ui {

OddsWindow::OddsWindow(common::RunState& state, std::unique_ptr<jvlink::JvLink> jv_link, QWidget* parent)
    : QWidget(parent, Qt::Window), WindowHost(static_cast<QWidget&>(*this)), state_(state), jv_link_(std::move(jv_link)) {
  setObjectName("VLTFOTHISWEEKNAZ");
  setWindowTitle(QString::fromUtf8("今週のオッズ Ver.2024.8.12A"));
  command1_ = new QPushButton(QString::fromUtf8("設定ＯＤＤＳ"), this);
  command1_->setObjectName("Command1");
  command2_ = new QPushButton(QString::fromUtf8("今週のオッズ"), this);
  command2_->setObjectName("Command2");
  command3_ = new QPushButton(QString::fromUtf8("今週の3連単"), this);
  command3_->setObjectName("Command3");
  text1_ = new QLineEdit(this);
  text1_->setObjectName("Text1");
  MakeStatusBox(*text1_);
  for (QPushButton* b : {command1_, command2_, command3_}) b->setMinimumHeight(30);

  auto* layout = new QVBoxLayout(this);
  auto* fetches = new QHBoxLayout;
  fetches->addWidget(command2_);
  fetches->addWidget(command3_);
  layout->addLayout(fetches);
  layout->addWidget(text1_);
  layout->addWidget(command1_);
  resize(420, 140);

  connect(command1_, &QPushButton::clicked, this, [this] { ShowJvLinkSettings(*jv_link_, *this); });
  connect(command2_, &QPushButton::clicked, this, [this] { Fetch(steps::ThisWeekOdds::kPairsAndTrio); });
  connect(command3_, &QPushButton::clicked, this, [this] { Fetch(steps::ThisWeekOdds::kTrifecta); });
}

OddsWindow::~OddsWindow() = default;

void OddsWindow::SetButtonsEnabled(bool enabled) {
  for (QPushButton* b : {command1_, command2_, command3_}) b->setEnabled(enabled);
}

void OddsWindow::Fetch(steps::ThisWeekOdds which) {
  // A yield inside the fetch (the progress dialog) must not start a second one.
  RunOwnStep([&] { failures_ = steps::RunThisWeekOdds(which, state_, download_, *jv_link_, *this); });
}

void OddsWindow::closeEvent(QCloseEvent* event) {
  if (KeepOpenWhileRunning(*event)) return;
  QWidget::closeEvent(event);
}

}  // namespace radadovur::ui
