#pragma once
#include <set>
#include <string>
#include <string_view>

#include "common/status.h"

// The per-meeting-day documents of one results pass. A pass starts a day's file afresh (an
// earlier pass's file of that name is replaced) the first time it writes to it, and appends to it
// every later time, also when the day comes back after other days' races. The pass owns one
// DayFiles, empty at its start; every document writer goes through it.
//
// Every write replaces the file through a temporary file and rename, so that a failed or
// interrupted write leaves the file as it was before the block: never half a block.
namespace radadovur::common {

// <AppPath><folder><MeetingDayKey><suffix>, joined without separators ("TEKICHU/", "lupRCM.txt").
// The key comes from records: one that is not 14 digits gives a failure naming it and no path.
Status DayFilePath(std::string_view app_path, std::string_view folder, std::string_view meeting_day_key,
                   std::string_view suffix, std::string& path);

class DayFiles {
 public:
  // True when this pass has not written the file yet: its block must begin with the file's
  // header lines.
  bool Starts(const std::string& path) const { return started_.count(path) == 0; }

  // Writes one block: the pass's first block of `path` replaces the file, later ones are added at
  // its end. On a failure the file keeps its earlier content, and a file that was not started
  // stays not started (the next block starts it, with its header lines).
  Status Write(const std::string& path, std::string_view block);

 private:
  std::set<std::string> started_;
};

}  // namespace radadovur::common
