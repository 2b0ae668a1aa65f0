#pragma once
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "results/results_window_state.h"

// The one walk over a race's tickets and its official payouts that every hit check shares (the
// result document's tier hit check and the race card's hit lines): each ticket list over its
// whole length (not only the positions a document lists), for each position the kind's payout
// entries in record order, and a ticket matches an entry when the texts are equal.
namespace radadovur::documents {

// The kinds in their walking order.
enum class TicketKind { kUmaren, kWide, kUmatan, kSanrenpuku, kSanrentan };

// Tier 0..2 (本線, 準本線, 伏兵) of a list position and the point within it.
struct TierPoint {
  int tier;
  int point;
};
inline constexpr int kPairTierSize = 6;
inline constexpr int kTripleTierSize = 7;
// Pairs 1-6, 7-12, 13-18; triples 1-7, 8-14, 15-21; later positions belong to no tier.
std::optional<TierPoint> TierOf(int position, int tier_size);

struct TicketMatch {
  TicketKind kind = TicketKind::kUmaren;
  int position = 0;               // the ticket's list position p, from 1
  std::optional<TierPoint> tier;  // nullopt: outside the tiers
  // ワイド: a counter that starts at 1 and grows before each ワイド match, so the race's first
  // ワイド match sees 2. 0 for the other kinds.
  int wide_counter = 0;
  bool reversed = false;  // 馬単: the ticket equals the entry with its two horses swapped
  int order = 0;          // 3連単: the order 1..6 of the base triple that matched; 0 otherwise
  // The matched payout entry's own fields (the finishing order for 馬単 and 3連単).
  std::string_view combination, payout, popularity;
};

// Calls `visit` for every match of the given kinds, in walking order: kind, then position, then
// entry, then (馬単) as bought before reversed, (3連単) order 1 to 6. 馬連 and ワイド compare
// UmarenKaime, 馬単 UmatanKaime, 3連複 SanrenpukuKaime, 3連単 the six orders of SanrentanKaime;
// a 3連単 entry "000000" ends that position's entries. Positions run to PairCount or TripleCount
// (as far as the list holds entries). The caller has checked that the payout record is the race's.
void WalkTicketMatches(const results::ResultsWindowState& state, std::initializer_list<TicketKind> kinds,
                       const std::function<void(const TicketMatch&)>& visit);

}  // namespace radadovur::documents
