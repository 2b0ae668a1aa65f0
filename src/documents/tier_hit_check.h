#pragma once
#include <string>
#include <vector>

#include "common/status.h"
#include "documents/ticket_matches.h"
#include "results/results_window_state.h"

// The tier hit check of a race whose results are final: every pair and triple ticket of the race
// (the whole lists, not only the listed positions) against the race's official payouts. Pair
// positions 1-6, 7-12, 13-18 and triple positions 1-7, 8-14, 15-21 are the tiers 本線, 準本線,
// 伏兵. A match in a tier is a hit: an AT line of the result document and an addition to the
// day's TierTally. Every match, tiered or not, fills its kind's HitSummary entry for the hit
// table.
namespace radadovur::documents {

// HitSummary entries, in their stored order.
enum HitSummaryIndex : int { kSumUmaren, kSumWide1, kSumWide2, kSumWide3, kSumUmatan, kSumSanrenpuku, kSumSanrentan };

// The AT line's label of a match in a tier, UTF-8: the tier word, the point and the kind's suffix
// ("本線3点目 的中", "準本線2逆順 的中", "本線4第3順的中 "); empty outside the tiers.
std::string TierHitLabel(const TicketMatch& match);
// The matched entry's combination in the kind's form (FormatPair, FormatPairOrdered, FormatTrio,
// FormatTrioOrdered).
common::Status FormatMatchCombination(const TicketMatch& match, std::string* out);

// Every entry to its blank values: a Label of ten blanks, the other members empty.
void BlankHitSummary(results::ResultsWindowState& state);

// Compares the ticket lists of `state` with state.CurrentPayoutRecord (the caller has checked
// that it is the race's own). Appends the AT lines (CP932, CR LF) to `lines`, sets HitSummary
// afresh and adds the race's hits to TierTally.
//
// A matched entry whose payout or popularity is no number is left out (no line, no summary, no
// tally) and reported; the check goes on with the next entry. A fourth or later ワイド match
// (dead heats) counts in the tally when it is a hit but gets no AT line and no summary column:
// the documents' readers know the codes "2" to "4" for ワイド and take "5" for 馬単.
void CheckTierHits(results::ResultsWindowState& state, std::vector<std::string>& lines,
                   common::StepFailures& failures);

}  // namespace radadovur::documents
