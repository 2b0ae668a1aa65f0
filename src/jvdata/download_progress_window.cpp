#include "jvdata/download_progress_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace radadovur {

DownloadProgressWindow::DownloadProgressWindow(JvLink& link, int32_t download_count, StepUi& ui, QWidget* owner)
    : QDialog(owner), link_(link), download_count_(download_count), ui_(ui) {
  setObjectName("VLTF2THISWEEKNAZ");
  setWindowTitle(QString::fromUtf8("VLTF2THISWEEKN:ダウンロード 2024.8.12A"));
  setModal(true);

  progress_bar_ = new QProgressBar(this);
  progress_bar_->setObjectName("ProgressBar1");
  progress_bar_->setRange(0, download_count);
  progress_bar_->setValue(0);
  progress_bar_->setTextVisible(false);

  label_ = new QLabel(this);
  label_->setObjectName("Label1");
  label_->setAlignment(Qt::AlignCenter);

  cancel_button_ = new QPushButton(QString::fromUtf8("キャンセル"), this);
  cancel_button_->setObjectName("Command1");
  cancel_button_->setAutoDefault(false);
  connect(cancel_button_, &QPushButton::clicked, this, &DownloadProgressWindow::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_button_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(progress_bar_);
  layout->addWidget(label_);
  layout->addLayout(buttons);
  setMinimumWidth(420);

  timer_ = new QTimer(this);
  timer_->setObjectName("Timer1");
  timer_->setInterval(10);
  connect(timer_, &QTimer::timeout, this, &DownloadProgressWindow::Tick);
  timer_->start();
}

void DownloadProgressWindow::Tick() {
  const DownloadTick tick = TickDownload(link_, download_count_);
  if (tick.outcome == DownloadTick::Outcome::kFailed) {
    // The timer stops before the message box, whose own event loop would tick on. The result
    // stays "done", so the owner goes on to read.
    timer_->stop();
    ui_.Message(tick.message);
    Finish(kDownloadDone);
    return;
  }
  if (tick.status <= progress_bar_->maximum()) progress_bar_->setValue(tick.status);
  label_->setText(QString::fromStdString(tick.label));
  if (tick.outcome == DownloadTick::Outcome::kDone) Finish(kDownloadDone);
}

void DownloadProgressWindow::reject() {
  if (!timer_->isActive()) return;  // already finished, or telling a failure
  Finish(CancelDownload(link_));
}

void DownloadProgressWindow::Finish(int16_t result) {
  timer_->stop();
  dialog_result_ = result;
  done(result == kDownloadCancelled ? QDialog::Rejected : QDialog::Accepted);
}

int16_t DownloadProgressDialogHost::ShowDownloadProgress(JvLink& link, int32_t download_count) {
  DownloadProgressWindow dialog(link, download_count, ui_, owner_);
  dialog.exec();
  return dialog.dialog_result();
}

}  // namespace radadovur
