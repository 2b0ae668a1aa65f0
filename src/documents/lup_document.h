#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/day_files.h"
#include "common/status.h"
#include "results/results_window_state.h"

// The result document of a meeting day, "TEKICHU/<MeetingDayKey>lup.txt" before the week's
// results are final and "lupRCM.txt" after: per race the header (RC), the column headings (RR),
// one runner line per predicted rank (HS), the predicted order in groups of five (Q, ATQ), the
// condensed and the tier ticket listings (MU, MS, PU, PS) and, once the results are final and the
// payout record at hand is the race's, the tier hit check's AT lines and the official payouts (KK,
// KS). In results mode the race's four rows go into the day's hit table "tekichu.txt" as well.
namespace radadovur::documents {

// The race's block of the result document, without the day's DY and PL lines; in results mode it
// also runs the tier hit check (when the payout record is the race's: HitSummary and TierTally)
// or blanks HitSummary (when it is not). A line that cannot be made is left out and reported.
std::string LupRaceBlock(results::ResultsWindowState& state, common::StepFailures& failures);

// Lines of the race's block that the short hit report shares, appended to `out`; a line that
// cannot be made is left out and reported.
// RC: the race table's row RaceIndex, 12 items.
void AddLupRc(const results::ResultsWindowState& state, std::string& out, common::StepFailures& failures);
// HS: one line per runner in predicted order (13 items, 17 once the results are final).
void AddLupHs(const results::ResultsWindowState& state, std::string& out, common::StepFailures& failures);
// KK "1" to "5", KS "1", "2" and, when the race has a 3連単 result, "3": the official payouts.
void AddLupPayouts(std::string_view payout_record, std::string& out, common::StepFailures& failures);

// (rank, horse number) of the runners whose PredRank reads as a rank from 1 to RunnerCount, in
// predicted order, horses of one rank by horse number; a PredRank that is no number is reported.
std::vector<std::pair<long long, int>> RankedHorses(const results::ResultsWindowState& state,
                                                    common::StepFailures& failures);

// KS "3" is written only when the first 3連単 combination, read as a number (leading digits,
// blanks passed over, none is 0), is not 0.
bool TrifectaHasResult(std::string_view first_combination);

// DY and PL: the first lines of a day's result document.
std::string LupDayHead(const results::ResultsWindowState& state, common::StepFailures& failures);

// Writes the result documents of one results pass, race by race. A day's files are started afresh
// by the first race of the pass that belongs to the day and appended to by every later one, also
// when the day comes back after other days' races. One writer serves one pass; a pass begins
// when it finds LastKeyLup empty (the pass empties it at its start).
class LupDocumentWriter {
 public:
  // Appends the current race's block (and hit-table rows); every line or file that failed is in
  // `failures`, and the rest is written. A race without runners writes nothing.
  void Write(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

 private:
  common::DayFiles files_;
};

}  // namespace radadovur::documents
