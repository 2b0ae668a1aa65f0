#include "ui/predict/predict_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "steps/day_before.h"
#include "steps/predict.h"
#include "ui/main/main_window.h"

namespace radadovur::ui {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

QLineEdit* TextBox(const char* name, QWidget* parent) {
  auto* box = new QLineEdit(Q(name), parent);
  box->setObjectName(name);
  MakeStatusBox(*box);
  return box;
}

QProgressBar* Bar(const char* name, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(name);
  bar->setRange(0, 100);
  bar->setValue(0);
  return bar;
}

QLabel* Label(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(Q(text), parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  return label;
}

bool IsOwnBar(common::ProgressSlot slot) {
  return slot == common::ProgressSlot::kPredictProgressBar1 || slot == common::ProgressSlot::kPredictProgressBar3 ||
         slot == common::ProgressSlot::kPredictProgressBar4;
}

}  // namespace

PredictWindow::PredictWindow(const common::RunState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), WindowHost(static_cast<QWidget&>(*this)), state_(state) {
  setObjectName("VELTRANEXPDTHISWEEKNAZ");
  setWindowTitle(Q("拡大構造体展開　Ver.2024.8.12AZ"));
  command3_ = new QPushButton(Q("④　　　　　　　前日固定"), this);
  command3_->setObjectName("Command3");
  command1_ = new QPushButton(Q("⑤　計算(約１0分）"), this);
  command1_->setObjectName("Command1");
  command2_ = new QPushButton(Q("拡大構造体処理終了"), this);
  command2_->setObjectName("Command2");
  for (QPushButton* b : {command1_, command2_, command3_}) b->setMinimumHeight(30);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label("Label2", "天候･馬場状態並びに馬体重が不明な場合、晴・良・前走馬体重、初440KGに設定", this), 0, 0, 1, 2);
  layout->addWidget(command3_, 1, 0);
  layout->addWidget(TextBox("Text1", this), 1, 1);
  layout->addWidget(Bar("ProgressBar1", this), 2, 0, 1, 2);
  layout->addWidget(Label("Label4", "拡大構造体にレース・騎手・繁殖馬・過去走の上がり･ペース･走破速度を組み込む", this), 3, 0, 1, 2);
  layout->addWidget(command1_, 4, 0);
  layout->addWidget(TextBox("Text3", this), 4, 1);
  layout->addWidget(Bar("ProgressBar3", this), 5, 0, 1, 2);
  layout->addWidget(Bar("ProgressBar4", this), 6, 0, 1, 2);
  layout->addWidget(TextBox("Text2", this), 7, 1);
  layout->addWidget(Label("Label1", "", this), 8, 0, 1, 2);
  layout->addWidget(command2_, 9, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  resize(620, 360);

  connect(command3_, &QPushButton::clicked, this, [this] { OnDayBefore(); });
  connect(command1_, &QPushButton::clicked, this, [this] { OnPrediction(); });
  connect(command2_, &QPushButton::clicked, this, &QWidget::close);
}

PredictWindow::~PredictWindow() = default;

void PredictWindow::Load() {
  auto model = std::make_unique<engine::ReferenceModel>();
  const common::Status status = steps::LoadPredictionModel(state_, *model, *this);
  model_loaded_ = status.ok();
  if (model_loaded_)
    model_ = std::move(model);
  else
    model_error_ = status.ToString();
}

void PredictWindow::SetButtonsEnabled(bool enabled) {
  for (QPushButton* b : {command1_, command2_, command3_}) b->setEnabled(enabled);
}

void PredictWindow::OnDayBefore() {
  RunOwnStep([this] { failures_ = steps::RunDayBefore(state_, *this); });
}

void PredictWindow::OnPrediction() {
  if (!model_loaded_) {
    Message(std::string(steps::kPredictRefusedMessage) + "\n" + model_error_);
    return;
  }
  RunOwnStep([this] { failures_ = steps::RunPrediction(state_, *model_, *this); });
}

void PredictWindow::BeginProgress(common::ProgressSlot slot, int64_t total) {
  if (!IsOwnBar(slot)) return WindowHost::BeginProgress(slot, total);
  pacer().ShowKept();
  if (auto* bar = qobject_cast<QProgressBar*>(SlotWidgetIn(*this, ControlOf(slot)))) {
    bar->setRange(0, static_cast<int>(total));
    bar->setValue(0);
  }
}

void PredictWindow::EndProgress(common::ProgressSlot slot) {
  if (IsOwnBar(slot))
    pacer().ShowKept();
  else
    WindowHost::EndProgress(slot);
}

void PredictWindow::closeEvent(QCloseEvent* event) {
  if (KeepOpenWhileRunning(*event)) return;
  QWidget::closeEvent(event);
}

}  // namespace radadovur::ui
