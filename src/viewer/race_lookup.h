#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "results/results_window_state.h"

// A race chosen by its key outside the results window (the command line): what the window's list
// and race table would hold for it, read from the files the results pass left.
namespace radadovur::viewer {

// Loads the code table and the results-final flag into `state`, finds race `key` as the race list
// lists it (a race-card record of "RATHISWEEKNNEW.dat" before the results are final, a record of
// "HRTHISWEEKN.dat" once they are) and returns its list item, with its detail line of
// "RACETHISWEEKNSYOSAI.dat" as RaceTable row 1. nullopt when the race is not listed.
std::optional<std::string> ListedRaceItem(const std::string& app_path, std::string_view key,
                                          results::ResultsWindowState& state, common::StepFailures& failures);

// Whether race `key` was called off: a race record of category "9" for it in the week's store
// ("RATHISWEEKN.dat", "RATHISWEEKNNEW.dat") or in the realtime results ("RARIALTIME.dat"). Such a
// race has no list item once the results pass has run. A file that cannot be read counts as
// holding no such record; it is added to `failures`.
bool RaceCalledOff(const std::string& app_path, std::string_view key, common::StepFailures& failures);

}  // namespace radadovur::viewer
