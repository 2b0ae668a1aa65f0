#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "engine/ex_record.h"
#include "results/code_table.h"
#include "results/race_steps.h"
#include "results/results_window_state.h"

// The per-race runner files "RACE/<RaceKey>.dat" (before the results pass's race loop): first every
// listed race's entries of this week, one record per horse number, then every runner's runs
// copied from the horse's expanded records, this week's race in entry 0 and up to 64 past runs
// newest first. Each file is rewritten whole through a temporary file.
namespace radadovur::results {

// The entry pass: every entry of "SETHISWEEKNNEW.dat" whose race is listed goes into its race's
// runner file at record number = horse number (bracket, horse number, registration number,
// name and the line end; zero bytes elsewhere). A horse number without an entry leaves a record
// of zero bytes; of two entries with one horse number the later stays. A race without entries
// gets an empty file. An entry whose horse number is not a number from 1 up is skipped and named
// in `failures`. A race whose file could not be written (every race, when the entries cannot be
// read) goes into state.UnwrittenRunnerFiles and keeps its earlier file. `between_races` is
// called before the entries of each race and after each race's file.
void PutEntries(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures,
                const BetweenRaces& between_races = {});

// The runs pass: for every listed race, every runner's expanded records copied into its runner
// record, newest first, at most 65; SpeedAdjust 0; RaceTable column 11 the weather and going
// of the race's last runner that has records. A record without an entry stays zero bytes. A race
// with a runner that cannot be trusted (in state.PredictFailedHorses, or its expanded-record file
// missing, empty, not whole records or not this week's: engine::IsThisWeeksNewestRun) gets no
// runner file (the one the entry pass wrote is removed; no expanded-record file is made), goes
// into state.UntrustedRaces and is named once with every such horse and the remedy: in
// state.PredictLeftOutRaces when every such horse failed in ⑤, else in `failures`. A race whose
// runner file cannot be read back or rewritten goes into state.UnwrittenRunnerFiles.
// `between_races` is called before each race.
void CopyRuns(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures,
              const BetweenRaces& between_races = {});

// Copies expanded record `run` into entry e (0..64) of `runner`; entry 0 also takes the horse's
// fixed data (breeder, sire, age, sex, weights, abnormality, post time, sample counts).
void CopyRun(const engine::ExRecord& run, uint32_t e, std::string& runner);

// The age in this week's race: the last two digits of year + 100 - birth year; nullopt when
// either is not a number.
std::optional<std::string> RunnerAgeText(std::string_view year, std::string_view birth_date);

// The weather name and the going name of entry 0 from the code table: the turf going on tracks
// "00" to "22" and above "49", the dirt going on "23" to "49".
std::string WeatherGoingText(std::string_view runner, const CodeTable& table);

}  // namespace radadovur::results
