#pragma once
#include <string>
#include <vector>

#include "common/day_files.h"
#include "common/status.h"
#include "results/results_window_state.h"

// The short hit report of a meeting day, "TEKICHU/<MeetingDayKey>twi.txt" before the week's
// results are final and "twiRCM.txt" after: per race the result document's header (RC), its own
// Japanese headings (RR), the result document's runner lines (HS) and, once final with the race's
// payout record at hand, the hits of the tier tickets named by bet (AT) and the official payouts
// (KK, KS).
namespace radadovur::formation {

// The AT lines of the race's tier tickets that won: the whole ticket lists against the payouts as
// the tier hit check walks them, one line per match in a tier, numbered by every match (tiered or
// not): "AT", number, bet name, tier label, combination, payout. Blanks HitSummary first (the
// result document's hit table has taken it by now) and keeps no tally. A match whose texts cannot
// be formed is reported and gets no line.
void CheckTwiHits(results::ResultsWindowState& state, std::vector<std::string>& lines,
                  common::StepFailures& failures);

// Writes the short hit reports of one results pass, race by race, with the day-file rule of the
// result document. A pass begins when the writer finds LastKeyTwi empty.
class TwiDocumentWriter {
 public:
  // Appends the current race's block; every line or file that failed is in `failures`. A race
  // without runners writes nothing.
  void Write(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

 private:
  common::DayFiles files_;
};

}  // namespace radadovur::formation
