#pragma once
#include <QDialog>

#include "common/step_ui.h"
#include "jvdata/download_progress.h"
#include "jvlink/jv_link.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace radadovur {

// VLTF2THISWEEKNAZ: the modal download progress dialog. It works on its owner's JV-Link control
// and download count, polls the download status every 10 ms and ends with the dialog result
// (kDownloadDone when every file is there or the download failed, kDownloadCancelled when the
// user cancels with the button or the window's close box). Failures are told through `ui`.
class DownloadProgressWindow : public QDialog {
  Q_OBJECT

 public:
  DownloadProgressWindow(JvLink& link, int32_t download_count, StepUi& ui, QWidget* owner = nullptr);

  int16_t dialog_result() const { return dialog_result_; }

  // The close box and Escape cancel the download like the button.
  void reject() override;

 private:
  void Tick();
  void Finish(int16_t result);

  JvLink& link_;
  const int32_t download_count_;
  StepUi& ui_;
  QProgressBar* progress_bar_;
  QLabel* label_;
  QPushButton* cancel_button_;
  QTimer* timer_;
  int16_t dialog_result_ = kDownloadDone;
};

// The progress dialog as a download's progress host: a new modal dialog for every download.
class DownloadProgressDialogHost : public DownloadProgressHost {
 public:
  DownloadProgressDialogHost(StepUi& ui, QWidget* owner) : ui_(ui), owner_(owner) {}
  int16_t ShowDownloadProgress(JvLink& link, int32_t download_count) override;

 private:
  StepUi& ui_;
  QWidget* owner_;
};

}  // namespace radadovur
