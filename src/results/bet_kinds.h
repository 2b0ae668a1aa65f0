#pragma once
#include <array>
#include <string_view>

// The eight bet types of the payouts with their bet-list codes and folders, and the six orders in
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

// The six orders of a trifecta triple a b c: index o of each entry says which horse runs o-th
// (0 = a, 1 = b, 2 = c). 第1順 a b c, 第2順 a c b, 第3順 b a c, 第4順 b c a, 第5順 c a b, 第6順 c b a.
inline constexpr std::array<std::array<int, 3>, 6> kTrifectaOrders = {{
    {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0},
}};

}  // namespace radadovur::results
