#include "jvdata/download_progress.h"

#include <thread>

namespace radadovur {

DownloadTick TickDownload(JvLink& link, int32_t download_count) {
  DownloadTick tick;
  tick.status = link.JVStatus();
  if (tick.status < 0) {
    tick.outcome = DownloadTick::Outcome::kFailed;
    tick.message = "ダウンロード失敗。RC=" + std::to_string(tick.status);
    return tick;
  }
  tick.label = std::to_string(tick.status) + " / " + std::to_string(download_count);
  // A status past the count also ends the wait; waiting for equality would never end.
  if (tick.status >= download_count) tick.outcome = DownloadTick::Outcome::kDone;
  return tick;
}

int16_t CancelDownload(JvLink& link) {
  link.JVCancel();
  return kDownloadCancelled;
}

int16_t HeadlessDownloadProgress::ShowDownloadProgress(JvLink& link, int32_t download_count) {
  for (;;) {
    const DownloadTick tick = TickDownload(link, download_count);
    switch (tick.outcome) {
      case DownloadTick::Outcome::kDone:
        return kDownloadDone;
      case DownloadTick::Outcome::kFailed:
        // The owner's result stays as it was, so the owner goes on to read.
        ui_.Message(tick.message);
        return kDownloadDone;
      case DownloadTick::Outcome::kContinue:
        if (interval_.count() > 0) std::this_thread::sleep_for(interval_);
        break;
    }
  }
}

}  // namespace radadovur
