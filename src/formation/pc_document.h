#pragma once
#include <string>

#include "common/day_files.h"
#include "common/status.h"
#include "results/results_window_state.h"

// The documents of the rank-based strategy for a meeting day: "TEKICHU/<MeetingDayKey>lupPC.txt"
// before the week's results are final and "lupRCMPC.txt" after (per race the header RC, the
// headings RR, one runner line HS per predicted rank and the fifteen formation lines), and, once
// final, the formation hit table "tekichuPC.txt": a title, a header of the eleven columns and per
// race, when the payout record at hand is the race's, a points row, a hit row and a payout row.
namespace radadovur::formation {

// Writes the formation documents of one results pass, race by race. A day's files are started
// afresh by the pass's first race of that day and appended to by every later one, also when the
// day comes back after other days' races. One writer serves one pass; a pass begins when it finds
// LastKeyLupPc empty.
class PcDocumentWriter {
 public:
  // Appends the current race's block (and table rows, after the formation hit check); every line,
  // column or file that failed is in `failures`, and the rest is written. A race without runners
  // writes nothing.
  void Write(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

 private:
  common::DayFiles files_;
};

// The race's points, hit and payout rows of the formation hit table, from PcTally and PcPoints.
std::string PcTableRows(const results::ResultsWindowState& state, std::string_view race_num);

}  // namespace radadovur::formation
