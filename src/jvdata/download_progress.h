#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "common/step_ui.h"
#include "jvlink/jv_link.h"

// The progress of a JV-Link download while files download: the window that opens a request
// shows it (the progress dialog) or, without a window, polls the same way. The dialog and the
// headless poll decide each tick through TickDownload, so they behave alike.
namespace radadovur {

// Outcomes of the progress dialog.
inline constexpr int16_t kDownloadDone = 0;
inline constexpr int16_t kDownloadCancelled = -1;

// A downloading window's public DownloadCount (files JVOpen says must be downloaded) and
// DialogResult (what the progress dialog decided), kept by that window between runs.
struct DownloadState {
  int32_t download_count = 0;
  int16_t dialog_result = kDownloadDone;
};

// Shows the download of `link`'s open request until every file is there, the download fails or
// the user cancels; returns the dialog result (kDownloadDone, also after a failed download, or
// kDownloadCancelled).
class DownloadProgressHost {
 public:
  virtual ~DownloadProgressHost() = default;
  virtual int16_t ShowDownloadProgress(JvLink& link, int32_t download_count) = 0;
};

// One poll of JVStatus.
struct DownloadTick {
  enum class Outcome { kContinue, kDone, kFailed };
  Outcome outcome = Outcome::kContinue;
  int32_t status = 0;   // files downloaded so far (the bar's value), or the failure code
  std::string label;    // "n / count" while downloading and when done
  std::string message;  // the failure message
};

// Done once the status reaches the download count; failed when it is negative.
DownloadTick TickDownload(JvLink& link, int32_t download_count);

// The cancel button: stops the download and gives the cancelled result.
int16_t CancelDownload(JvLink& link);

// Polls without a window every `interval` (zero: without sleeping) and shows a failure through
// the step's message box.
class HeadlessDownloadProgress : public DownloadProgressHost {
 public:
  explicit HeadlessDownloadProgress(StepUi& ui, std::chrono::milliseconds interval = std::chrono::milliseconds(10))
      : ui_(ui), interval_(interval) {}
  int16_t ShowDownloadProgress(JvLink& link, int32_t download_count) override;

 private:
  StepUi& ui_;
  std::chrono::milliseconds interval_;
};

}  // namespace radadovur
