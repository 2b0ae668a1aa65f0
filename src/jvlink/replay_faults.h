#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jvlink/jv_link.h"
#include "jvlink/replay_codes.h"

// Fault switches of a recording folder ("faults.txt"), so that tests can make the replaying
// stand-in fail the way the delivery service fails. One "key=value" per line; blank lines and
// lines starting with '#' are skipped. The keys are listed in docs/jvlink.md.
namespace radadovur::jvlink {

struct ReplayFaults {
  std::optional<int32_t> init_error;  // JVInit returns this
  std::optional<int32_t> open_error;  // JVOpen returns this
  bool nothing_to_read = false;       // JVOpen reports read count 0
  // "<dataspec>/<file name>": the first read of that file reports it broken until the file is
  // deleted through JVFiledelete (which repairs it for the rest of the instance's life).
  std::string broken_file;
  int32_t broken_code = jvread::kBrokenFile403;
  // In every request, the read that would deliver record number read_error_at (from 1) returns
  // read_error_code instead; the next read delivers that record. 0 = off.
  int64_t read_error_at = 0;
  int32_t read_error_code = jvreplay::kDefaultReadErrorCode;
  // In every request that downloads, JVStatus returns status_error_code once this many files
  // are downloaded and more remain (and keeps returning it).
  std::optional<int32_t> status_error_after;
  int32_t status_error_code = jvreplay::kDefaultStatusErrorCode;
};

struct FaultsParse {
  ReplayFaults faults;
  std::vector<std::string> errors;  // one per line that was not understood (the line is skipped)
};

FaultsParse ParseFaults(std::string_view text);

// The folder's faults.txt; a missing file means no faults.
FaultsParse LoadFaults(const std::string& recording_folder);

}  // namespace radadovur::jvlink
