#pragma once
#include <string>

#include "common/day_files.h"
#include "common/status.h"
#include "results/results_window_state.h"

// The race card of a meeting day, "SHUTSUBAHYO/<MeetingDayKey>mmk.txt" before the week's results
// are final and "mmkRCM.txt" after: per race the header (RC), the 18 best pair tickets six per
// tier (K1 to K3), in results mode with the race's own payout record the payouts and hits (KK,
// KS, AT, CM), one line per horse in horse-number order (HS) and the 21 best triple tickets seven
// per tier (S1 to S3). Nothing reads it back.
namespace radadovur::documents {

// Metres per minute of a speed in km/h, as the race card shows it: the whole part of
// speed × 16.666 after one blank, cut to its last four characters (60.5 gives "1008", 59.9 " 998");
// " 0" for a speed that is no number or beyond any whole number.
std::string SpeedFigure(float kmh);

// The race's three best trio tickets of each tier for the race page: entries 1 to 7 of
// SanrenpukuKaime as they stand ("aabbcc"), a slot without a ticket empty.
void SetSanrenpukuTop7(results::ResultsWindowState& state);

// The race's block, without the day's DY and PL lines (those of the result document). In results
// mode with the race's own payout record it holds the payout and hit lines. A line that cannot
// be made is left out and reported; the other lines are written.
std::string ShutsubahyoRaceBlock(const results::ResultsWindowState& state, common::StepFailures& failures);

// Writes the race cards of one results pass, race by race, with the day-file rule of the result
// document: a day's file is started afresh by the pass's first race of that day and appended to
// by every later one. A pass begins when LastKeyShutsubahyo is empty (the pass empties it).
class ShutsubahyoDocumentWriter {
 public:
  // Sets SanrenpukuTop7 and appends the current race's block; every line or file that failed is
  // in `failures`. A race without runners writes nothing (and leaves SanrenpukuTop7 empty).
  void Write(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

 private:
  common::DayFiles files_;
};

}  // namespace radadovur::documents
