#pragma once
#include <optional>
#include <string>

#include "common/day_files.h"
#include "common/status.h"
#include "documents/race_of_record.h"
#include "results/results_window_state.h"

// The daily speed file "SOKUDO/HR<RaceDate>.csv" for the outside analysis tool: one plain line per
// race, its RaceId and then, for horse numbers 1, 2, ..., the predicted speed in metres per hour
// and the predicted rank in two digits: 2024092206040811,58123,02,60000,01,57300,03.
namespace radadovur::exports {

// The predicted speed in whole metres per hour: the largest whole number not above km/h × 1000,
// the product taken in single precision (57.3f gives 57300, where a double product gives 57299).
// Nothing for a speed that is negative or not finite (the line holds no sign).
std::optional<long long> SpeedInMetresPerHour(float kmh);

// The race's line with its CR LF; nothing, and the failures, when a horse's speed or rank cannot
// be written (a line with a hole would shift every later horse).
std::optional<std::string> SokudoLine(const documents::RaceOfRecord& race, const results::ResultsWindowState& state,
                                      common::StepFailures& failures);

// Writes the speed files of one results pass: the pass's first race of a date starts the date's
// file afresh, every later race of the date adds its line, also when the date comes back after
// other dates. A race without runners writes nothing. One writer serves one pass.
class SokudoDayCsvWriter {
 public:
  void Write(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

 private:
  common::DayFiles files_;
};

}  // namespace radadovur::exports
