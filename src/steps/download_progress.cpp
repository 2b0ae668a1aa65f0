#include "steps/download_progress.h"

#include <thread>

#include "common/run_state.h"

namespace radadovur::steps {

using common::ProgressSlot;
using common::StatusSlot;

DownloadTick TickDownload(jvlink::JvLink& link, int64_t download_count) {
  DownloadTick tick;
  tick.status = link.JVStatus();
  if (tick.status < 0) {
    tick.outcome = DownloadTick::Outcome::kFailed;
    tick.message = jvlink::ErrorMessage(link, "ダウンロード失敗。RC=" + std::to_string(tick.status), tick.status);
    return tick;
  }
  tick.label = std::to_string(tick.status) + " / " + std::to_string(download_count);
  // A status past the count also ends the wait; waiting for equality would never end.
  if (tick.status >= download_count) tick.outcome = DownloadTick::Outcome::kDone;
  return tick;
}

int WaitForDownload(jvlink::JvLink& link, int64_t download_count, common::StepHost& host,
                    std::chrono::milliseconds poll_interval) {
  constexpr common::ProgressSlot kBar = common::ProgressSlot::kDownloadProgressBar1;
  host.BeginProgress(kBar, download_count);
  int result = common::kDownloadDone;
  for (;;) {
    const DownloadTick tick = TickDownload(link, download_count);
    if (tick.outcome == DownloadTick::Outcome::kFailed) {
      // No poll while the message is up. The result stays "done", so the step goes on to read.
      host.Message(tick.message);
      break;
    }
    if (tick.status <= download_count) host.SetProgress(kBar, tick.status);
    host.SetStatus(common::StatusSlot::kDownloadLabel1, tick.label);
    if (tick.outcome == DownloadTick::Outcome::kDone) break;
    host.Yield();
    if (host.CancelRequested()) {
      link.JVCancel();
      result = common::kDownloadCancelled;
      break;
    }
    if (poll_interval.count() > 0) std::this_thread::sleep_for(poll_interval);
  }
  host.EndProgress(kBar);
  return result;
}

}  // namespace radadovur::steps
