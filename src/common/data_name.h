#pragma once
#include <string_view>

#include "common/status.h"

// The one guard for names made from record or table data before they become part of a path:
// a race key, race id, meeting-day key or horse id is digits of its exact width, and a word (a
// course name of the code table and the like) is a single file-name component. A name that fails
// is never opened, created or truncated; the caller reports the Status it gets.
namespace radadovur::common {

enum class DataName {
  kRaceKey,        // 12 digits: year, month and day, venue, race number
  kRaceId,         // 16 digits: year, month and day, venue, meeting, day, race number
  kMeetingDayKey,  // 14 digits: year, month and day, venue, meeting, day
  kKettoNum,       // 10 digits
  kDate,           // 8 digits: year, month and day
  kWord,           // one component: not empty, not "." or "..", no "/" and no control byte
  kCourseWord,     // a code-table word joined into a file name: a kWord, or empty (no row for it)
};

// OK, or InvalidArgument naming what the value should have been, with the value shown escaped.
Status CheckDataName(DataName kind, std::string_view value);
inline bool IsDataName(DataName kind, std::string_view value) { return CheckDataName(kind, value).ok(); }

}  // namespace radadovur::common
