#include "documents/tier_hit_check.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "common/cp932.h"
#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/race_of_record.h"
#include "jvdata/layout_hr.h"

namespace radadovur::documents {
namespace {

using common::Status;
using results::ResultsWindowState;
using results::TierKind;

constexpr int kPairTierSize = 6;
constexpr int kTripleTierSize = 7;
constexpr int kTiers = 3;

// Tier 0..2 and point of position p, or nullopt past the third tier.
struct TierPoint {
  int tier;
  int point;
};
std::optional<TierPoint> TierOf(int p, int tier_size) {
  if (p < 1 || p > kTiers * tier_size) return std::nullopt;
  const int tier = (p - 1) / tier_size;
  return TierPoint{tier, p - tier * tier_size};
}

constexpr const char* kTierNames[kTiers] = {"本線", "準本線", "伏兵"};
constexpr const char* kTierShortNames[kTiers] = {"本線", "準本", "伏兵"};

using Formatter = std::function<Status(std::string_view, std::string*)>;

// One matched payout entry, as the kind's pass found it.
struct Match {
  int position;                  // the ticket's list position p
  int tier_size;                 // 6 pairs, 7 triples
  std::string_view combination;  // the payout entry's own, formatted for the lines
  std::string_view payout, popularity;
  Formatter format;
  std::string at_code;             // empty: no AT line (a fourth or later ワイド match)
  std::string at_suffix;           // "点目 的中", ...; may depend on the tier (3連単)
  std::string summary_suffix;      // "点目", ...
  int summary;                     // HitSummary entry, -1: none
  int list_position;               // what PositionAndPopularity shows
  TierKind block;
  bool counts_races;               // 3連複 and 3連単
  size_t blank_label = 10;         // a match outside the tiers
};

class Checker {
 public:
  Checker(ResultsWindowState& state, std::vector<std::string>& lines, common::StepFailures& failures)
      : state_(state), lines_(lines), failures_(failures) {}

  void Handle(const Match& m) {
    ++hit_number_;
    std::string combination, payout;
    long long yen = 0, popularity = 0;
    Status status = m.format(m.combination, &combination);
    if (status.ok()) status = FormatPayout(m.payout, &payout);
    if (status.ok() && !ReadWhole(payout, yen))
      status = Status::InvalidArgument("payout", "payout \"" + common::Shown(m.payout) + "\" is not a number");
    if (status.ok() && !ReadWhole(m.popularity, popularity))
      status = Status::InvalidArgument("popularity",
                                       "popularity \"" + common::Shown(m.popularity) + "\" is not a number");
    if (!status.ok()) {
      failures_.Add(Status::InvalidArgument(
          "tier hit check", "tier hit check: combination " + common::Shown(m.combination) + ": " + status.ToString()));
      return;
    }

    const std::optional<TierPoint> tier = TierOf(m.position, m.tier_size);
    results::TierTallyBlock& block = state_.TierTally[static_cast<size_t>(m.block)];
    if (tier) {
      if (!m.at_code.empty()) {
        const std::string label = std::string(kTierNames[tier->tier]) + std::to_string(tier->point) + m.at_suffix;
        lines_.push_back(common::TaggedLine("AT")
                             .Text(std::to_string(hit_number_))
                             .Text(m.at_code)
                             .Label(label)
                             .Text(combination)
                             .Text(payout)
                             .Str());
      }
      block.Hits[static_cast<size_t>(tier->tier)] += 1;
      block.PayTotal[static_cast<size_t>(tier->tier)] += yen;
    }
    if (m.counts_races) block.Races += 1;
    if (m.summary >= 0) {
      results::HitSummaryEntry& entry = state_.HitSummary[static_cast<size_t>(m.summary)];
      entry.Label = tier ? common::ToCp932(std::string(kTierShortNames[tier->tier]) + std::to_string(tier->point) +
                                           m.summary_suffix)
                         : std::string(m.blank_label, ' ');
      entry.Combination = combination;
      entry.Payout = payout;
      entry.Popularity = std::to_string(m.list_position) + " " + std::to_string(popularity);
    }
  }

 private:
  ResultsWindowState& state_;
  std::vector<std::string>& lines_;
  common::StepFailures& failures_;
  int hit_number_ = 0;
};

// Positions 1..count of a ticket list whose entry 0 is unused.
int Positions(const std::vector<std::string>& list, int count) {
  return std::max(0, std::min(count, static_cast<int>(list.size()) - 1));
}

// The payout entry i of a block: combination, payout, popularity.
struct Entry {
  std::string_view combination, payout, popularity;
};
Entry EntryOf(std::string_view record, const jvdata::Field& c, const jvdata::Field& p, const jvdata::Field& pop,
              uint32_t i) {
  return {c.Of(record, i), p.Of(record, i), pop.Of(record, i)};
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

void BlankHitSummary(ResultsWindowState& state) {
  for (results::HitSummaryEntry& entry : state.HitSummary) entry = {std::string(10, ' '), "", "", ""};
}

void CheckTierHits(ResultsWindowState& state, std::vector<std::string>& lines, common::StepFailures& failures) {
  namespace hr = jvdata::hr;
  BlankHitSummary(state);
  Checker check(state, lines, failures);
  const std::string record = state.CurrentPayoutRecord;
  const int pairs = Positions(state.UmarenKaime, state.PairCount);
  const int umatan_pairs = Positions(state.UmatanKaime, state.PairCount);
  const int triples = Positions(state.SanrenpukuKaime, state.TripleCount);
  const int trifecta_triples = Positions(state.SanrentanKaime, state.TripleCount);

  // 馬連.
  for (int p = 1; p <= pairs; ++p)
    for (uint32_t i = 0; i < 3; ++i) {
      const Entry e = EntryOf(record, hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout,
                              hr::UmarenPayouts_Popularity, i);
      if (state.UmarenKaime[p] != e.combination) continue;
      check.Handle({p, kPairTierSize, e.combination, e.payout, e.popularity, FormatPair, "1", "点目 的中", "点目",
                    kSumUmaren, p, results::kTierUmaren, false});
    }

  // ワイド: the counter starts at 1 and grows before each match is handled.
  int wide = 1;
  for (int p = 1; p <= pairs; ++p)
    for (uint32_t i = 0; i < 7; ++i) {
      const Entry e =
          EntryOf(record, hr::WidePayouts_Combination, hr::WidePayouts_Payout, hr::WidePayouts_Popularity, i);
      if (state.UmarenKaime[p] != e.combination) continue;
      ++wide;
      const bool column = wide <= 4;
      check.Handle({p, kPairTierSize, e.combination, e.payout, e.popularity, FormatPair,
                    column ? std::to_string(wide) : std::string(), "点目 的中", "点目", column ? kSumWide1 + wide - 2 : -1,
                    p, results::kTierWide, false});
    }

  // 馬単, the order bought first, then reversed.
  for (int p = 1; p <= umatan_pairs; ++p)
    for (uint32_t i = 0; i < 6; ++i) {
      const Entry e = EntryOf(record, hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout,
                              hr::UmatanPayouts_Popularity, i);
      const std::string& ticket = state.UmatanKaime[p];
      if (ticket == e.combination) {
        check.Handle({p, kPairTierSize, e.combination, e.payout, e.popularity, FormatPairOrdered, "5", "正順 的中",
                      "点目表", kSumUmatan, 2 * p - 1, results::kTierUmatanOmote, false, 11});
      } else if (e.combination.size() == 4 && ticket == Swapped(e.combination)) {
        check.Handle({p, kPairTierSize, e.combination, e.payout, e.popularity, FormatPairOrdered, "5", "逆順 的中",
                      "点目裏", kSumUmatan, 2 * p, results::kTierUmatanUra, false});
      }
    }

  // 3連複.
  for (int p = 1; p <= triples; ++p)
    for (uint32_t i = 0; i < 3; ++i) {
      const Entry e = EntryOf(record, hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout,
                              hr::SanrenpukuPayouts_Popularity, i);
      if (state.SanrenpukuKaime[p] != e.combination) continue;
      check.Handle({p, kTripleTierSize, e.combination, e.payout, e.popularity, FormatTrio, "6", "点目 的中", "点目",
                    kSumSanrenpuku, p, results::kTierSanrenpuku, true});
    }

  // 3連単: the six orders of each base triple, entries up to the first without a result.
  for (int p = 1; p <= trifecta_triples; ++p)
    for (uint32_t i = 0; i < 6; ++i) {
      const Entry e = EntryOf(record, hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout,
                              hr::SanrentanPayouts_Popularity, i);
      if (e.combination == "000000") break;
      for (int n = 1; n <= 6; ++n) {
        if (Reordered(state.SanrentanKaime[p], kOrders[n - 1]) != e.combination) continue;
        const std::string order = "第" + std::to_string(n) + "順";
        // 本線 orders 3 to 6 carry the blank after 的中, not before it.
        const bool main_late = p <= kTripleTierSize && n >= 3;
        check.Handle({p, kTripleTierSize, e.combination, e.payout, e.popularity, FormatTrioOrdered, "7",
                      order + (main_late ? "的中 " : " 的中"), order + "目", kSumSanrentan, 6 * (p - 1) + n,
                      results::kTierSanrentan, true});
      }
    }
}

}  // namespace radadovur::documents
