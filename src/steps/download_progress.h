#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "common/step_host.h"
#include "jvlink/jv_link.h"

// The wait while the files of a JV-Link request download: the host shows it (a window opens the
// progress dialog VLTF2THISWEEKNAZ, the command line shows nothing) and may cancel it.
namespace radadovur::steps {

// One poll of JVStatus.
struct DownloadTick {
  enum class Outcome { kContinue, kDone, kFailed };
  Outcome outcome = Outcome::kContinue;
  int32_t status = 0;   // files downloaded so far (the bar's value), or the failure code
  std::string label;    // "n / count" while downloading and when done
  std::string message;  // the failure message
};

// Done once the status reaches the download count; failed when it is negative.
DownloadTick TickDownload(jvlink::JvLink& link, int64_t download_count);

// Polls every `poll_interval` (zero: without sleeping) until every file is there, the download
// fails (told through a message) or the host asks to cancel (JVCancel). Returns
// common::kDownloadDone, also after a failure, or common::kDownloadCancelled.
int WaitForDownload(jvlink::JvLink& link, int64_t download_count, common::StepHost& host,
                    std::chrono::milliseconds poll_interval);

}  // namespace radadovur::steps
