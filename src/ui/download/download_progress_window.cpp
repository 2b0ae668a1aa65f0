#include "ui/download/download_progress_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace radadovur::ui {

DownloadProgressWindow::DownloadProgressWindow(int64_t download_count, QWidget* owner) : QDialog(owner) {
  setObjectName("VLTF2THISWEEKNAZ");
  setWindowTitle(QString::fromUtf8("VLTF2THISWEEKN:ダウンロード 2024.8.12A"));
  setModal(true);

  progress_bar_ = new QProgressBar(this);
  progress_bar_->setObjectName("ProgressBar1");
  progress_bar_->setRange(0, static_cast<int>(download_count));
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
}

void DownloadProgressWindow::reject() {
  if (!finished_) cancel_requested_ = true;  // the step cancels and closes the dialog
}

void DownloadProgressWindow::Finish() {
  finished_ = true;
  done(cancel_requested_ ? QDialog::Rejected : QDialog::Accepted);
}

}  // namespace radadovur::ui
