#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "results/results_window_state.h"

// The walk of a race's whole ticket lists against its official payouts that every hit check of
// the tier tickets shares: 馬連 and ワイド against the pair list, 馬単 as bought and reversed, 3連複
// against the triple list and 3連単 in the six orders of each base triple, entries up to the first
// "000000". Matches come grouped by bet in that order, within a bet by list position first and
// payout entry second.
namespace radadovur::documents {

enum class MatchBet { kUmaren, kWide, kUmatan, kSanrenpuku, kSanrentan };

// Tier 0..2 (本線, 準本線, 伏兵) and point within it of a list position.
struct TierPoint {
  int tier;
  int point;
};
inline constexpr int kPairTierSize = 6;
inline constexpr int kTripleTierSize = 7;

struct TicketMatch {
  MatchBet bet;
  int position;    // the ticket's list position p, from 1
  uint32_t entry;  // the payout entry's index, from 0
  // 馬単: 1 won as bought, 2 won reversed; 3連単: the order 1 (第1順) to 6; otherwise 0.
  int order;
  std::string_view combination, payout, popularity;  // the payout entry's own fields

  // The ticket's tier, or nothing past the third.
  std::optional<TierPoint> Tier() const;
  // The AT lines' label, for a match in a tier: "本線3点目 的中", "準本線2逆順 的中",
  // "本線4第3順的中 " (本線 orders 3 to 6 carry the blank at the end), UTF-8.
  std::string AtLabel() const;
  // The combination in the bet's form: FormatPair, FormatPairOrdered, FormatTrio, FormatTrioOrdered.
  common::Status FormatCombination(std::string* out) const;
};

// Calls `visit` for every match of state.CurrentPayoutRecord (the caller has checked that it is
// the race's) with the ticket lists of `state`.
void WalkTicketMatches(const results::ResultsWindowState& state, const std::function<void(const TicketMatch&)>& visit);

}  // namespace radadovur::documents
