#include "documents/ticket_matches.h"

#include <algorithm>

#include "documents/formatters.h"
#include "jvdata/layout_hr.h"

namespace radadovur::documents {
namespace {

constexpr int kTiers = 3;
constexpr const char* kTierNames[kTiers] = {"本線", "準本線", "伏兵"};

// Positions 1..count of a ticket list whose entry 0 is unused.
int Positions(const std::vector<std::string>& list, int count) {
  return std::max(0, std::min(count, static_cast<int>(list.size()) - 1));
}

// The six trifecta orders of a base triple x1 x2 x3, as starts of its 2-character parts.
constexpr size_t kOrders[6][3] = {{0, 2, 4}, {0, 4, 2}, {2, 0, 4}, {2, 4, 0}, {4, 0, 2}, {4, 2, 0}};

std::string Reordered(std::string_view base, const size_t (&order)[3]) {
  std::string out;
  for (size_t start : order) out += start + 2 <= base.size() ? base.substr(start, 2) : std::string_view();
  return out;
}

// A pair combination with its two horses swapped.
std::string Swapped(std::string_view pair) { return std::string(pair.substr(2, 2)) + std::string(pair.substr(0, 2)); }

}  // namespace

std::optional<TierPoint> TicketMatch::Tier() const {
  const int size = bet == MatchBet::kSanrenpuku || bet == MatchBet::kSanrentan ? kTripleTierSize : kPairTierSize;
  if (position < 1 || position > kTiers * size) return std::nullopt;
  const int tier = (position - 1) / size;
  return TierPoint{tier, position - tier * size};
}

std::string TicketMatch::AtLabel() const {
  const std::optional<TierPoint> t = Tier();
  if (!t) return {};
  std::string label = std::string(kTierNames[t->tier]) + std::to_string(t->point);
  switch (bet) {
    case MatchBet::kUmatan: return label + (order == 1 ? "正順 的中" : "逆順 的中");
    case MatchBet::kSanrentan:
      // 本線 orders 3 to 6 carry the blank after 的中, not before it.
      return label + "第" + std::to_string(order) + "順" + (t->tier == 0 && order >= 3 ? "的中 " : " 的中");
    default: return label + "点目 的中";
  }
}

common::Status TicketMatch::FormatCombination(std::string* out) const {
  switch (bet) {
    case MatchBet::kUmaren:
    case MatchBet::kWide: return FormatPair(combination, out);
    case MatchBet::kUmatan: return FormatPairOrdered(combination, out);
    case MatchBet::kSanrenpuku: return FormatTrio(combination, out);
    case MatchBet::kSanrentan: return FormatTrioOrdered(combination, out);
  }
  return common::Status::InvalidArgument("bet", "bet: unknown");
}

void WalkTicketMatches(const results::ResultsWindowState& state, const std::function<void(const TicketMatch&)>& visit) {
  namespace hr = jvdata::hr;
  const std::string_view record = state.CurrentPayoutRecord;
  const int pairs = Positions(state.UmarenKaime, state.PairCount);
  const int umatan_pairs = Positions(state.UmatanKaime, state.PairCount);
  const int triples = Positions(state.SanrenpukuKaime, state.TripleCount);
  const int trifecta_triples = Positions(state.SanrentanKaime, state.TripleCount);
  auto entry = [record](MatchBet bet, int p, uint32_t i, int order, const jvdata::Field& c, const jvdata::Field& pay,
                        const jvdata::Field& pop) {
    return TicketMatch{bet, p, i, order, c.Of(record, i), pay.Of(record, i), pop.Of(record, i)};
  };

  for (int p = 1; p <= pairs; ++p)
    for (uint32_t i = 0; i < 3; ++i) {
      const TicketMatch m = entry(MatchBet::kUmaren, p, i, 0, hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout,
                                  hr::UmarenPayouts_Popularity);
      if (state.UmarenKaime[p] == m.combination) visit(m);
    }
  for (int p = 1; p <= pairs; ++p)
    for (uint32_t i = 0; i < 7; ++i) {
      const TicketMatch m = entry(MatchBet::kWide, p, i, 0, hr::WidePayouts_Combination, hr::WidePayouts_Payout,
                                  hr::WidePayouts_Popularity);
      if (state.UmarenKaime[p] == m.combination) visit(m);
    }
  for (int p = 1; p <= umatan_pairs; ++p)
    for (uint32_t i = 0; i < 6; ++i) {
      TicketMatch m = entry(MatchBet::kUmatan, p, i, 1, hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout,
                            hr::UmatanPayouts_Popularity);
      const std::string& ticket = state.UmatanKaime[p];
      if (ticket == m.combination) {
        visit(m);
      } else if (m.combination.size() == 4 && ticket == Swapped(m.combination)) {
        m.order = 2;
        visit(m);
      }
    }
  for (int p = 1; p <= triples; ++p)
    for (uint32_t i = 0; i < 3; ++i) {
      const TicketMatch m = entry(MatchBet::kSanrenpuku, p, i, 0, hr::SanrenpukuPayouts_Combination,
                                  hr::SanrenpukuPayouts_Payout, hr::SanrenpukuPayouts_Popularity);
      if (state.SanrenpukuKaime[p] == m.combination) visit(m);
    }
  for (int p = 1; p <= trifecta_triples; ++p)
    for (uint32_t i = 0; i < 6; ++i) {
      TicketMatch m = entry(MatchBet::kSanrentan, p, i, 0, hr::SanrentanPayouts_Combination,
                            hr::SanrentanPayouts_Payout, hr::SanrentanPayouts_Popularity);
      if (m.combination == "000000") break;
      for (int n = 1; n <= 6; ++n) {
        if (Reordered(state.SanrentanKaime[p], kOrders[n - 1]) != m.combination) continue;
        m.order = n;
        visit(m);
      }
    }
}

}  // namespace radadovur::documents
