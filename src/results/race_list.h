#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "results/code_table.h"
#include "results/results_window_state.h"

// The week's race list: which races the results pass works on, the three list files, an empty
// runner file per race, the items of the window's list box and the race table.
namespace radadovur::results {

// Where the list comes from: this week's race records before the results are final, the payout
// records once they are. The list box items differ by one space.
enum class ListSource { kRaceRecords, kPayoutRecords };

// Before the results are final a race record is listed when its DataCategory lies in "2".."6".
bool ListedBeforeResults(std::string_view race_record);

// The RACETHISWEEKNSYOSAI.dat line of a race record: twelve quoted CP932 fields and CR LF.
// A race number that is not a number leaves field 1 empty and makes `failure` not OK.
std::string RaceDetailLine(std::string_view race_record, const CodeTable& table, common::Status* failure = nullptr);

// The list box item of a race (UTF-8): date, racecourse code and name, meeting, day, race number,
// 9 spaces (race records) or 10 (payout records), and the RaceKey as its last 12 characters.
std::string RaceListItem(std::string_view record, const CodeTable& table, ListSource source);

// Builds the list from the store as ResultsFinal says: sets RaceCount, RaceKeyList (entry 0
// unused), VenueName and the record buffers; rewrites "SOKUDO/RACEID.txt", "RACETHISWEEKN.dat"
// and "RACETHISWEEKNSYOSAI.dat" whole, or, when the race or payout records cannot be read, leaves
// them as they are. Returns the list box items in list order. Failures name the file or race.
std::vector<std::string> BuildRaceList(const std::string& app_path, ResultsWindowState& state,
                                       common::StepFailures& failures);

// Fills RaceTable rows 1..RaceCount from "RACETHISWEEKNSYOSAI.dat": row i is the detail line of
// listed race i's own race record, found by its RaceKey (the k-th listing of a key takes the k-th
// line of that key, the last one when there are fewer); a race without a line keeps an empty row.
void LoadRaceTable(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures);

}  // namespace radadovur::results
