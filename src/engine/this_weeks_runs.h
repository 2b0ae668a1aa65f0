#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"

// Which expanded records are this week's. Step ⑤ makes a horse's newest expanded record its
// entry for this week's race, or, when the stale rule drops that entry, the run before it.
// Records left from an earlier week end in that week's race: the results pass must not take
// them for this week's.
namespace radadovur::engine {

// The stale rule: the last entry record is dropped when its CreatedDate, read as a whole number,
// is smaller than that of the record before it. nullopt when either date is no whole number.
std::optional<bool> DropsStaleLastEntry(std::string_view last, std::string_view before);

// Reads the newest record of the horse's expanded-record file into `newest`; empty when the file
// does not exist or holds no whole record.
common::Status ReadNewestRun(const std::string& app_path, std::string_view ketto_num, std::string& newest);

// True when `newest` (a horse's newest expanded record) is what step ⑤ makes of the horse's
// entry file for race `race_key`: a record of that race, or, when the stale rule drops the entry
// of that race, a record of the run before it.
bool IsThisWeeksNewestRun(const std::string& app_path, std::string_view ketto_num, std::string_view race_key,
                          std::string_view newest);

}  // namespace radadovur::engine
