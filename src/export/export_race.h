#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/status.h"
#include "documents/race_of_record.h"
#include "results/code_table.h"
#include "results/results_window_state.h"

// What the exports take of the race at hand: its id from the runner record last read for it, the
// predicted ranks of its horses, and the racecourse's name as a file name holds it.
namespace radadovur::exports {

// The highest horse number a race has (PredRank has entries 0..18).
inline constexpr int kMaxHorse = 18;

// Element 0 of the runner record's RaceId when the race has runners and the id is 16 digits.
// A race without runners gives false and no failure: its runner record would be an earlier
// race's, and its stages have said why it has none. An id that is not 16 digits is a failure
// (it names the files).
bool RaceAtHand(const results::ResultsWindowState& state, documents::RaceOfRecord& race,
                common::StepFailures& failures);

// (horse number, predicted rank) of horses 1..RunnerCount whose PredRank reads as a whole number,
// by horse number. A rank that is no number, or horse numbers above 18, are failures.
std::vector<std::pair<int, long long>> RankedHorses(const results::ResultsWindowState& state,
                                                    common::StepFailures& failures);

// A horse number as two digits with a leading zero: 5 gives "05".
std::string TwoDigits(long long number);

}  // namespace radadovur::exports
