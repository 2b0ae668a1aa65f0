#pragma once
#include <array>
#include <optional>
#include <string_view>

// The vocabularies the ticket lists, the bet lists, the documents and the hit checks share: the
// eight bet types of the payouts, the three tiers of a sorted ticket list and the six orders in
// which a trifecta ticket is bought.
namespace radadovur::results {

enum class BetKind : int { kTansho, kFukusho, kWakuren, kUmaren, kWide, kUmatan, kSanrenpuku, kSanrentan };

struct BetKindInfo {
  BetKind kind;
  std::string_view name;     // UTF-8, as the documents write it
  std::string_view csv_code; // bet-list code; empty for a type without a bet list
  std::string_view folder;   // bet-list folder; empty for a type without a bet list
};

inline constexpr std::array<BetKindInfo, 8> kBetKinds = {{
    {BetKind::kTansho, "単勝", "01", "TANSHO"},
    {BetKind::kFukusho, "複勝", "", ""},
    {BetKind::kWakuren, "枠連", "", ""},
    {BetKind::kUmaren, "馬連", "04", "UMAREN"},
    {BetKind::kWide, "ワイド", "05", "WIDE"},
    {BetKind::kUmatan, "馬単", "06", "UMATAN"},
    {BetKind::kSanrenpuku, "3連複", "07", "SANRENPUKU"},
    {BetKind::kSanrentan, "3連単", "08", "SANRENTAN"},
}};

constexpr const BetKindInfo& InfoOf(BetKind kind) { return kBetKinds[static_cast<size_t>(kind)]; }

// A ticket's tier is its position (from 1) in a sorted list: six pairs or seven triples a tier.
enum class Tier : int { kHonsen, kJunHonsen, kFukuhei };
inline constexpr std::array<std::string_view, 3> kTierNames = {"本線", "準本線", "伏兵"};
inline constexpr int kPairsPerTier = 6;
inline constexpr int kTriplesPerTier = 7;

// The tier of position `position` in a list of `per_tier` tickets a tier; none past the third.
constexpr std::optional<Tier> TierOfPosition(int position, int per_tier) {
  if (position < 1 || position > 3 * per_tier) return std::nullopt;
  return static_cast<Tier>((position - 1) / per_tier);
}

// The six orders of a trifecta triple a b c: index o of each entry says which horse runs o-th
// (0 = a, 1 = b, 2 = c). 第1順 a b c, 第2順 a c b, 第3順 b a c, 第4順 b c a, 第5順 c a b, 第6順 c b a.
inline constexpr std::array<std::array<int, 3>, 6> kTrifectaOrders = {{
    {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0},
}};

}  // namespace radadovur::results
