#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "documents/race_of_record.h"
#include "results/results_window_state.h"

// The win-bet list of a race, "TANSHO/<yymmdd><course name><RR>R.csv": one 100-yen win ticket on
// the horse ranked first and one on the horse ranked second, plain lines in rank order.
namespace radadovur::exports {

// The list's name below the program folder (UTF-8 on disk), e.g. "TANSHO/240922中山11R.csv"; a
// course the code table lacks gives its code: "TANSHO/2409220611R.csv". A race whose date, venue
// and number are no race key is a failure and gives no name.
common::Status TanshoFileName(const documents::RaceOfRecord& race, const results::CodeTable& table, std::string& name);

// The list's lines: "<RaceDate>,<VenueCode>,<RaceNum>,01,<horse>,100" CR LF for the horses of rank
// 1, then those of rank 2, each by horse number.
std::string TanshoCsvText(const documents::RaceOfRecord& race, const results::ResultsWindowState& state,
                          common::StepFailures& failures);

// Writes the current race's list, replacing one of an earlier pass; the same race twice in a row
// is written once. A race without runners writes nothing.
void WriteTanshoList(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

}  // namespace radadovur::exports
