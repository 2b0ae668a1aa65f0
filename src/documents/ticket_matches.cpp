#include "documents/ticket_matches.h"

#include <algorithm>
#include <string>
#include <vector>

#include "jvdata/layout_hr.h"

namespace radadovur::documents {
namespace {

namespace hr = jvdata::hr;

constexpr int kTiers = 3;

// Positions 1..count of a ticket list whose entry 0 is unused.
int Positions(const std::vector<std::string>& list, int count) {
  return std::max(0, std::min(count, static_cast<int>(list.size()) - 1));
}

// One payout block: its entries' fields and how many entries it has.
struct Block {
  const jvdata::Field& combination;
  const jvdata::Field& payout;
  const jvdata::Field& popularity;
  uint32_t entries;
};
constexpr Block kUmaren{hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, hr::UmarenPayouts_Popularity, 3};
constexpr Block kWide{hr::WidePayouts_Combination, hr::WidePayouts_Payout, hr::WidePayouts_Popularity, 7};
constexpr Block kUmatan{hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout, hr::UmatanPayouts_Popularity, 6};
constexpr Block kSanrenpuku{hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout,
                            hr::SanrenpukuPayouts_Popularity, 3};
constexpr Block kSanrentan{hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout,
                           hr::SanrentanPayouts_Popularity, 6};

TicketMatch MatchOf(TicketKind kind, int p, int tier_size, std::string_view record, const Block& block, uint32_t i) {
  TicketMatch m;
  m.kind = kind;
  m.position = p;
  m.tier = TierOf(p, tier_size);
  m.combination = block.combination.Of(record, i);
  m.payout = block.payout.Of(record, i);
  m.popularity = block.popularity.Of(record, i);
  return m;
}

// The six trifecta orders of a base triple x1 x2 x3, as starts of its 2-character parts.
constexpr size_t kOrders[6][3] = {{0, 2, 4}, {0, 4, 2}, {2, 0, 4}, {2, 4, 0}, {4, 0, 2}, {4, 2, 0}};

std::string Reordered(std::string_view base, const size_t (&order)[3]) {
  std::string out;
  for (size_t start : order) out += start + 2 <= base.size() ? base.substr(start, 2) : std::string_view();
  return out;
}

// A pair combination with its two horses swapped; empty for anything shorter.
std::string Swapped(std::string_view pair) {
  return pair.size() == 4 ? std::string(pair.substr(2, 2)) + std::string(pair.substr(0, 2)) : std::string();
}

bool Has(std::initializer_list<TicketKind> kinds, TicketKind kind) {
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

}  // namespace

std::optional<TierPoint> TierOf(int position, int tier_size) {
  if (position < 1 || position > kTiers * tier_size) return std::nullopt;
  const int tier = (position - 1) / tier_size;
  return TierPoint{tier, position - tier * tier_size};
}

void WalkTicketMatches(const results::ResultsWindowState& state, std::initializer_list<TicketKind> kinds,
                       const std::function<void(const TicketMatch&)>& visit) {
  const std::string_view record = state.CurrentPayoutRecord;

  if (Has(kinds, TicketKind::kUmaren))
    for (int p = 1, n = Positions(state.UmarenKaime, state.PairCount); p <= n; ++p)
      for (uint32_t i = 0; i < kUmaren.entries; ++i)
        if (state.UmarenKaime[p] == kUmaren.combination.Of(record, i))
          visit(MatchOf(TicketKind::kUmaren, p, kPairTierSize, record, kUmaren, i));

  if (Has(kinds, TicketKind::kWide)) {
    int counter = 1;
    for (int p = 1, n = Positions(state.UmarenKaime, state.PairCount); p <= n; ++p)
      for (uint32_t i = 0; i < kWide.entries; ++i)
        if (state.UmarenKaime[p] == kWide.combination.Of(record, i)) {
          TicketMatch m = MatchOf(TicketKind::kWide, p, kPairTierSize, record, kWide, i);
          m.wide_counter = ++counter;
          visit(m);
        }
  }

  if (Has(kinds, TicketKind::kUmatan))
    for (int p = 1, n = Positions(state.UmatanKaime, state.PairCount); p <= n; ++p)
      for (uint32_t i = 0; i < kUmatan.entries; ++i) {
        const std::string& ticket = state.UmatanKaime[p];
        const std::string_view combination = kUmatan.combination.Of(record, i);
        const bool bought = ticket == combination;
        if (!bought && (combination.size() != 4 || ticket != Swapped(combination))) continue;
        TicketMatch m = MatchOf(TicketKind::kUmatan, p, kPairTierSize, record, kUmatan, i);
        m.reversed = !bought;
        visit(m);
      }

  if (Has(kinds, TicketKind::kSanrenpuku))
    for (int p = 1, n = Positions(state.SanrenpukuKaime, state.TripleCount); p <= n; ++p)
      for (uint32_t i = 0; i < kSanrenpuku.entries; ++i)
        if (state.SanrenpukuKaime[p] == kSanrenpuku.combination.Of(record, i))
          visit(MatchOf(TicketKind::kSanrenpuku, p, kTripleTierSize, record, kSanrenpuku, i));

  if (Has(kinds, TicketKind::kSanrentan))
    for (int p = 1, n = Positions(state.SanrentanKaime, state.TripleCount); p <= n; ++p)
      for (uint32_t i = 0; i < kSanrentan.entries; ++i) {
        const std::string_view combination = kSanrentan.combination.Of(record, i);
        if (combination == "000000") break;
        for (int order = 1; order <= 6; ++order) {
          if (Reordered(state.SanrentanKaime[p], kOrders[order - 1]) != combination) continue;
          TicketMatch m = MatchOf(TicketKind::kSanrentan, p, kTripleTierSize, record, kSanrentan, i);
          m.order = order;
          visit(m);
        }
      }
}

}  // namespace radadovur::documents
