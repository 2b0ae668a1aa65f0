#pragma once
#include <string>
#include <string_view>

#include "history/grid.h"

// The past runs of one horse: every expanded record of its file side by side, one column per
// run (newest first), one row per field under a header row: 312 rows, the labels in column 0.
namespace radadovur::history {

inline constexpr int kPastRunRows = 312;
inline constexpr int kExRecordLength = 2603;

// The grid: empty text (the cell's last 16 characters are empty) leaves the designed 312 x 2 grid
// without labels; otherwise the label column and one column per whole record of
// "UMAGOTOEXTHISWEEKN/<name>" (a name that is not an expanded-record file's gives none). The
// racecourse and weekday names come from the program folder's code table.
Grid LoadPastRuns(const std::string& app_path, std::string_view selected_cell);

}  // namespace radadovur::history
