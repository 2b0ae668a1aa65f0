#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "results/results_window_state.h"

// The runner figures of a race (the start of its first stage in the results pass): the race's arrays sized
// afresh, every runner's texts and speeds read from its runner record, the reliability marks,
// the runner lines of the race's ticket-folder file "KAIME/<RaceKey>.dat" and the spread of the
// predicted speeds in RaceTable column 10.
namespace radadovur::results {

// Creates every per-race array of the state afresh for `n` runners (pairs and triples with room
// for n(n-1) and n(n-1)(n-2)) and sets PairCount and TripleCount to 0.
void SizeRaceArrays(ResultsWindowState& state, int32_t n);

// Sets ReliabilityMarks[row] from CurrentRunnerRecord: "A" for each sample count that lies in
// one of its bands (flat or jump by the track of this week's race). Never clears a cell.
void SetReliabilityMarks(ResultsWindowState& state, int32_t row);

// The time m.ss.hh of `distance` metres (the text as it stands in the record) at `speed` km/h,
// every step cut, never rounded; nullopt for a speed of 0 (or a result that is not a number).
std::optional<std::string> SpeedToTimeText(float speed, std::string_view distance);

// The population standard deviation of values[1..count]; nullopt when count is below 1. The
// variance is taken as 0 when rounding makes it negative.
std::optional<double> PopulationStdDev(const std::vector<float>& values, int32_t count);
// The race's spread of predicted speeds (values 1..n) in whole metres per minute, and its cell of
// the race table (two characters, right-aligned).
float PredSpeedSpread(const std::vector<float>& pred_speed, int32_t n);
std::string SdCellText(float spread);
// The same cell from the race's runner file, as the results pass computes it for that race.
std::string RaceSdCellText(std::string_view runner_file);

// The estimated time of the last three furlongs (flat, track "00" to "49") or of one furlong
// (jump races) at `speed` km/h as ss.hh; empty for a speed of 0.
std::string EstimatedLastFurlongsText(float speed, std::string_view track_code);

// The runner loop over the current race's runner file (RunnerCount records): fills the state's
// per-runner values, appends the runner lines to the race's ticket-folder file and sets SdValue.
// A record without an entry gets empty texts and no marks, and figures of speed 0. Leaves
// CurrentRunnerRecord at the last runner record whose entry 0 is the listed race (the writers'
// race keys), or at the last record when none is.
void RunnerFigures(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures);

// The runner has no entry: its record was never written (it carries no bracket number).
inline bool IsGapRunner(const ResultsWindowState& state, int32_t i) {
  return i >= 0 && static_cast<size_t>(i) < state.WakuText.size() && state.WakuText[static_cast<size_t>(i)].empty();
}

}  // namespace radadovur::results
