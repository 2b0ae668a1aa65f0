#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "results/bet_kinds.h"
#include "results/code_table.h"
#include "results/results_window_state.h"

// The five bet lists of a race: small unquoted CSV files of the best tickets of its sorted lists,
// one line per ticket and order, 100 yen each, under UMAREN, WIDE, UMATAN, SANRENPUKU, SANRENTAN.
namespace radadovur::results {

// "<folder>/<yymmdd><course name><RR>R.csv" (UTF-8, the name on disk): yymmdd and RR from the
// RaceKey, the course name from the code table; a course the table does not name gives its code
// instead, so two courses' races of one day and number never share a file; so does a name that is
// not one file-name component. A key that is not a race key is a failure and gives no name.
common::Status BetListFileName(BetKind kind, std::string_view race_key, const CodeTable& table, std::string& name);

// The file's lines (CR LF) from the race's lists as they stand at the list's turn: 馬連 and
// ワイド from UmatanKaime before the exacta order, 馬単 after it (each ticket as listed, then
// reversed), 3連複 from SanrentanKaime before the trifecta order, 3連単 after it (the six orders).
// Takes positions 1-7, 1-3, 1-7, 1-10 and 1-10, or as many as the race has.
std::string BetListText(BetKind kind, std::string_view race_key, const ResultsWindowState& state);

}  // namespace radadovur::results
