#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "common/status.h"

// The realtime results' patches of the per-race runner files "RACE/<RaceKey>.dat": entry 0 (this
// week's race) of the arrival order, time, popularity, win odds and last three furlongs from the
// realtime runner records of "SERIALTIME.dat", then popularity and win odds from the realtime win
// odds of "O1RIALTIME.dat". Every value is copied as the same fixed-width text; nothing else of a
// runner record changes.
//
// Only runner files that the results pass made and records it wrote for an entry are patched: a
// race without a runner file, or a horse number with no runner (beyond the file's records, or a
// record without an entry), is skipped and counted, never created.
namespace radadovur::results {

// What the patches did, for the step's report.
struct RealtimePatchCounts {
  int64_t patched = 0;         // runner records written (a runner patched twice counts twice)
  int64_t no_runner_file = 0;  // patches for a race without a runner file
  int64_t no_runner = 0;       // patches for a horse number without a runner in its file
  int64_t races_without_file = 0;  // races of those `no_runner_file` patches
  int64_t skipped() const { return no_runner_file + no_runner; }
};

// Runner files read once and written back once, so that both patches of a run see each other's
// changes and a file is rewritten whole (through a temporary file) only at the end.
class RunnerFilePatches {
 public:
  // `between_races` is called after each runner file read or written, so that the window
  // repaints while a large week's files are patched.
  explicit RunnerFilePatches(std::string app_path, std::function<void()> between_races = {})
      : app_path_(std::move(app_path)), between_races_(std::move(between_races)) {}

  // Applies `edit` to the runner record of horse `umaban` of race `race_key` and counts it
  // patched; counts it skipped when the race has no runner file or the file no runner of that
  // number. A file that cannot be read is a failure (and counts as no file).
  void Patch(const std::string& race_key, int64_t umaban, const std::function<void(std::string&)>& edit,
             RealtimePatchCounts& counts, common::StepFailures& failures);
  // Writes every patched file; each failure is added.
  void WriteBack(common::StepFailures& failures);

 private:
  struct File {
    bool present = false;
    bool patched = false;
    std::string bytes;
  };
  File& Load(const std::string& race_key, common::StepFailures& failures);

  std::string app_path_;
  std::function<void()> between_races_;
  std::map<std::string, File> files_;
  std::set<std::string> races_without_file_;
};

// The first patch: each record of "SERIALTIME.dat" in record order puts its five fields into
// entry 0 of its runner. A horse number that is not a number is a failure; that record is skipped.
void PatchRunnersFromRealtimeEntries(const std::string& app_path, RunnerFilePatches& files,
                                     RealtimePatchCounts& counts, common::StepFailures& failures);

// The second patch, over the first: each line of "O1RIALTIME.dat" puts, for each of its 28 win
// entries whose horse number is not 0 (blank), the entry's popularity and odds into entry 0 of
// that runner.
void PatchRunnersFromRealtimeWinOdds(const std::string& app_path, RunnerFilePatches& files,
                                     RealtimePatchCounts& counts, common::StepFailures& failures);

// Both patches in order, then the files written back; `between_races` as for RunnerFilePatches.
RealtimePatchCounts PatchRunnerFilesFromRealtime(const std::string& app_path, common::StepFailures& failures,
                                                 const std::function<void()>& between_races = {});

// The five fields of a realtime runner record (SE) into entry 0 of a runner record.
void PutRealtimeEntry(std::string_view entry, std::string& runner);
// Popularity and odds of win entry k (0..27) of a win odds record (O1) into entry 0.
void PutRealtimeWinOdds(std::string_view win_odds, uint32_t k, std::string& runner);

}  // namespace radadovur::results
