#pragma once
#include <QDialog>
#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

namespace radadovur::ui {

// VLTF2THISWEEKNAZ: the modal download progress dialog of step ①. The step drives it through
// its window's step host (ProgressBar1, Label1); the cancel button and the close box only ask
// the step to stop, and the step closes the dialog once it has.
class DownloadProgressWindow : public QDialog {
  Q_OBJECT

 public:
  DownloadProgressWindow(int64_t download_count, QWidget* owner = nullptr);

  bool cancel_requested() const { return cancel_requested_; }
  // The close box and Escape cancel the download like the button.
  void reject() override;
  // The step is done with the dialog.
  void Finish();

 private:
  QProgressBar* progress_bar_;
  QLabel* label_;
  QPushButton* cancel_button_;
  bool cancel_requested_ = false;
  bool finished_ = false;
};

}  // namespace radadovur::ui
