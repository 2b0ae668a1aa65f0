#include "documents/tier_hit_check.h"

#include <optional>

#include "common/cp932.h"
#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/race_of_record.h"
#include "documents/ticket_matches.h"

namespace radadovur::documents {
namespace {

using common::Status;
using results::ResultsWindowState;
using results::TierKind;

constexpr const char* kTierNames[results::kTiers] = {"本線", "準本線", "伏兵"};
constexpr const char* kTierShortNames[results::kTiers] = {"本線", "準本", "伏兵"};

using Formatter = Status (*)(std::string_view, std::string*);

// What a kind's match writes, fills and adds.
struct Handling {
  Formatter format;
  std::string at_code;         // empty: no AT line (a fourth or later ワイド match)
  std::string at_suffix;       // "点目 的中", ...; may depend on the tier (3連単)
  std::string summary_suffix;  // "点目", ...
  int summary;                 // HitSummary entry, -1: none
  int list_position;           // what PositionAndPopularity shows
  TierKind block;
  bool counts_races;           // 3連複 and 3連単
  size_t blank_label = 10;     // a match outside the tiers
};

Handling HandlingOf(const TicketMatch& m) {
  const int p = m.position;
  switch (m.kind) {
    case TicketKind::kUmaren:
      return {FormatPair, "1", "点目 的中", "点目", kSumUmaren, p, results::kTierUmaren, false};
    case TicketKind::kWide: {
      const bool column = m.wide_counter <= 4;
      return {FormatPair, column ? std::to_string(m.wide_counter) : std::string(), "点目 的中", "点目",
              column ? kSumWide1 + m.wide_counter - 2 : -1, p, results::kTierWide, false};
    }
    case TicketKind::kUmatan:
      if (m.reversed)
        return {FormatPairOrdered, "5", "逆順 的中", "点目裏", kSumUmatan, 2 * p, results::kTierUmatanUra, false};
      return {FormatPairOrdered, "5", "正順 的中", "点目表", kSumUmatan, 2 * p - 1, results::kTierUmatanOmote, false,
              11};
    case TicketKind::kSanrenpuku:
      return {FormatTrio, "6", "点目 的中", "点目", kSumSanrenpuku, p, results::kTierSanrenpuku, true};
    case TicketKind::kSanrentan: {
      const std::string order = "第" + std::to_string(m.order) + "順";
      // 本線 orders 3 to 6 carry the blank after 的中, not before it.
      const bool main_late = m.tier && m.tier->tier == 0 && m.order >= 3;
      return {FormatTrioOrdered, "7", order + (main_late ? "的中 " : " 的中"), order + "目", kSumSanrentan,
              6 * (p - 1) + m.order, results::kTierSanrentan, true};
    }
  }
  return {};
}

class Checker {
 public:
  Checker(ResultsWindowState& state, std::vector<std::string>& lines, common::StepFailures& failures)
      : state_(state), lines_(lines), failures_(failures) {}

  void Handle(const TicketMatch& match) {
    ++hit_number_;
    const Handling m = HandlingOf(match);
    std::string combination, payout;
    long long yen = 0, popularity = 0;
    Status status = m.format(match.combination, &combination);
    if (status.ok()) status = FormatPayout(match.payout, &payout);
    if (status.ok() && !ReadWhole(payout, yen))
      status = Status::InvalidArgument("払戻金", "払戻金 \"" + common::Shown(match.payout) + "\" は数字ではありません");
    if (status.ok() && !ReadWhole(match.popularity, popularity))
      status = Status::InvalidArgument("人気",
                                       "人気 \"" + common::Shown(match.popularity) + "\" は数字ではありません");
    if (!status.ok()) {
      failures_.Add(Status::InvalidArgument("段の的中確認", "段の的中確認: 組番 " +
                                                                  common::Shown(match.combination) + ": " +
                                                                  status.ToString()));
      return;
    }

    const std::optional<TierPoint>& tier = match.tier;
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

}  // namespace

std::string TierHitLabel(const TicketMatch& m) {
  if (!m.tier) return {};
  return std::string(kTierNames[m.tier->tier]) + std::to_string(m.tier->point) + HandlingOf(m).at_suffix;
}

Status FormatMatchCombination(const TicketMatch& m, std::string* out) { return HandlingOf(m).format(m.combination, out); }

void BlankHitSummary(ResultsWindowState& state) {
  for (results::HitSummaryEntry& entry : state.HitSummary) entry = {std::string(10, ' '), "", "", ""};
}

void CheckTierHits(ResultsWindowState& state, std::vector<std::string>& lines, common::StepFailures& failures) {
  BlankHitSummary(state);
  Checker check(state, lines, failures);
  // The walk reads the lists and the record; the checker writes only HitSummary and TierTally.
  WalkTicketMatches(state,
                    {TicketKind::kUmaren, TicketKind::kWide, TicketKind::kUmatan, TicketKind::kSanrenpuku,
                     TicketKind::kSanrentan},
                    [&check](const TicketMatch& m) { check.Handle(m); });
}

}  // namespace radadovur::documents
