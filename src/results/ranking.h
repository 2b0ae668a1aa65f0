#pragma once
#include <string>
#include <vector>

#include "common/status.h"
#include "results/results_files.h"
#include "results/results_window_state.h"

// The runners of a race ranked by predicted speed, fastest first, and the two runner files of the
// ticket folder: "KAIME/<RaceKey>SORT.dat" (read by the race viewer) and
// "KAIME/<RaceKey>LUPSORT.dat", one line per runner in horse-number order.
namespace radadovur::results {

// Sorts keys[lo..hi] descending by a recursive partition sort and moves items with them. Equal
// keys end in the order its exchanges give (it is not stable; the tickets' order depends on it):
// keys equal to the pivot stop both scans and are exchanged. hi < lo leaves both unchanged.
void SortKeysDescending(std::vector<float>& keys, std::vector<std::string>& items, int lo, int hi);

// RankKey, RankOrder (horse number of rank r as two digits) and PredRank (rank of horse i
// right-aligned in two) from PredSpeed[1..RunnerCount]. A horse number above 18 gets no
// PredRank and is named in `failures`.
void RankRunners(ResultsWindowState& state, common::StepFailures& failures);

// Runner i's line of "<RaceKey>SORT.dat" (15 fields) and of "<RaceKey>LUPSORT.dat" (12 fields),
// CP932 with CR LF. A field that cannot be formed is blank; a runner without an entry keeps its
// horse number and rank and has every other field blank.
std::string RunnerSortLine(const ResultsWindowState& state, int32_t i);
std::string LupSortLine(const ResultsWindowState& state, int32_t i);

// Rewrites both files of the current race whole.
void WriteRunnerSortFiles(const std::string& app_path, const ResultsWindowState& state, common::StepFailures& failures);

// The ticket-folder names of the two files.
inline common::Status RunnerSortFileName(std::string_view race_key, std::string& name) {
  return RaceFileName("KAIME/", race_key, "SORT.dat", name);
}
inline common::Status LupSortFileName(std::string_view race_key, std::string& name) {
  return RaceFileName("KAIME/", race_key, "LUPSORT.dat", name);
}

}  // namespace radadovur::results
