#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "common/step_host.h"

// Step ④: this week's entries and races put into their day-before state. Values only the race
// day brings give way to defaults: the body weight of the run before (440 kg for a first start),
// the jockey and weight carried as before an announced change, no time difference, and fine
// weather and good going. Both passes work on the store files in place, each file rewritten
// whole through a temporary file; running them twice gives the same files as running them once.
namespace radadovur::engine {

// The races with results, one quoted RaceKey per payout record, written when the results are final.
inline constexpr std::string_view kRaceThisWeek = "RACETHISWEEKN.dat";

// The last race record of "RATHISWEEKNNEW.dat" (its record file bytes) has DataCategory "7":
// the week's results are final. A file without records is not final.
bool ResultsFinal(std::string_view race_records);

// Reads "RATHISWEEKNNEW.dat" and tells whether the results are final.
common::Status ReadResultsFinal(const std::string& app_path, bool& final);

// The last record of one entry file's bytes put into its day-before state (nothing to do for a
// file without records). Bytes after the last whole record stay as they are.
void FixPreviousDayEntry(std::string& entry_records);

// Rewrites the last record of the entry file of every horse of "KETTONUMTHISWEEKN.dat".
// `horses` receives the number of ids read. An entry file that is not whole entry records fails
// its horse (added to `damaged`, the file as it was) and the others go on; one that cannot be
// read or written stops the pass (earlier horses stay fixed) and is returned. Yields to `host`
// after each horse, so that the window repaints while a large week's files are rewritten.
common::Status FixPreviousDayEntries(const std::string& app_path, common::StepHost& host, int64_t& horses,
                                     common::StepFailures& damaged);

// Sets weather and both goings to "1" on this week's race records of "RATHISWEEKNNEW.dat":
// before the results are final on every record of DataCategory "1", once they are final on every
// record of a race that has a payout record in "HRTHISWEEKN.dat", after listing those races in
// "RACETHISWEEKN.dat". Moves ProgressBar1 once per race record. A file that cannot be read or
// written, or is not whole records of its type, stops the pass: nothing further is written.
common::Status FixPreviousDayRaces(const std::string& app_path, common::StepHost& host);

// Step ④'s work: ProgressBar1 from 0 of 100, FixPreviousDayEntries, then FixPreviousDayRaces,
// the race and payout files read and checked before any entry file is rewritten. The first
// failure ends the step and is returned; the step shows it.
common::Status FixPreviousDay(const std::string& app_path, common::StepHost& host, common::StepFailures& damaged);

}  // namespace radadovur::engine
