#pragma once
#include <string>

#include "common/status.h"
#include "results/results_window_state.h"

// The race card's lines of a race whose results are final and whose payout record is at hand
// (the caller has checked both): the official payouts on one KK and one KS line, an AT line for
// each hit among the 馬連, ワイド, 馬単 and 3連複 tickets, and the CM lines of the 3連単 hits.
// They fill no tally and no summary; the result document's tier hit check does that. Both walk
// the tickets as that check does (documents/ticket_matches.h).
namespace radadovur::documents {

// KK (単勝 2, 複勝 4, 枠連 2, 馬連 2, ワイド 5 entries: 32 items) and KS (馬単 6, 3連複 3: 20
// items), then the AT lines: "AT", the hit number (every match of these kinds counts, tiered or
// not), the kind ("1" 馬連, the ワイド counter from "2", "5" 馬単, "6" 3連複), the label (本線,
// 準本 or 伏兵 with the point and " 的中"; for 馬単 正順的中 or 逆順的中 without a point), the
// finishing combination joined by "-" and the payout. CP932, CR LF. A line that cannot be made
// (a payout field that is no number) is left out and reported; the rest is written.
std::string RaceCardPayoutAndHitLines(const results::ResultsWindowState& state, common::StepFailures& failures);

// One CM line per 3連単 hit in a tier (本線5第3順的中 and the combination, a blank, the payout and
// 円, as one text), or, when no ticket of the whole list matched, one CM line with the winning
// combination and its payout. Nothing when the race has no 3連単 result (its first combination is
// "000000" or blank). A line that cannot be made is left out and reported.
std::string TrifectaHitLines(const results::ResultsWindowState& state, common::StepFailures& failures);

}  // namespace radadovur::documents
