#pragma once
#include <string>

#include "common/status.h"
#include "results/results_window_state.h"

// The results pass's ticket stages, in the shape of its stage hooks (results/race_steps.h): the
// results step assigns them, each for the current race RaceIndex.
namespace radadovur::results {

// The pair stage, after the ranking: the pairs and the triples formed, scored and sorted, their
// KaimeFile lines (one rewrite of the file) and "KAIME/<RaceKey>UMARENSORT.dat".
void PairTicketsStage(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures);

// Bet lists: the 馬連 and ワイド bet lists, the exacta order with "UMATANSORT.dat" and the 馬単 bet
// list, "SANRENSORT.dat" and the 3連複 bet list, the trifecta order with "SANRENTANSORT.dat" and the 3連単 bet list.
void BetListsAndSortFilesStage(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures);

// Rate tables, with the results final: the day's rates and the meeting day's two rate tables
// under "TEKICHU". The race number and MeetingDayKey are the listed race's: its payout record,
// record RaceIndex of "HRTHISWEEKN.dat", from which the list was built (the writers before this
// step reuse CurrentPayoutRecord for other races' records).
void RateTablesStage(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures);

}  // namespace radadovur::results
