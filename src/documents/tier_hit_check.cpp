#include "documents/tier_hit_check.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "common/cp932.h"
#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/race_of_record.h"
#include "documents/ticket_matches.h"
#include "jvdata/layout_hr.h"

namespace radadovur::documents {
namespace {

using common::Status;
using results::ResultsWindowState;
using results::TierKind;

constexpr int kTiers = 3;
constexpr const char* kTierShortNames[kTiers] = {"本線", "準本", "伏兵"};

// One matched payout entry, as the kind's pass found it.
struct Match {
  const TicketMatch& match;
  std::string at_code;             // empty: no AT line (a fourth or later ワイド match)
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
    Status status = m.match.FormatCombination(&combination);
    if (status.ok()) status = FormatPayout(m.match.payout, &payout);
    if (status.ok() && !ReadWhole(payout, yen))
      status = Status::InvalidArgument("payout", "payout \"" + common::Shown(m.match.payout) + "\" is not a number");
    if (status.ok() && !ReadWhole(m.match.popularity, popularity))
      status = Status::InvalidArgument("popularity",
                                       "popularity \"" + common::Shown(m.match.popularity) + "\" is not a number");
    if (!status.ok()) {
      failures_.Add(Status::InvalidArgument("tier hit check", "tier hit check: combination " +
                                                                  common::Shown(m.match.combination) + ": " +
                                                                  status.ToString()));
      return;
    }

    const std::optional<TierPoint> tier = m.match.Tier();
    results::TierTallyBlock& block = state_.TierTally[static_cast<size_t>(m.block)];
    if (tier) {
      if (!m.at_code.empty()) {
        lines_.push_back(common::TaggedLine("AT")
                             .Text(std::to_string(hit_number_))
                             .Text(m.at_code)
                             .Label(m.match.AtLabel())
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

void BlankHitSummary(ResultsWindowState& state) {
  for (results::HitSummaryEntry& entry : state.HitSummary) entry = {std::string(10, ' '), "", "", ""};
}

void CheckTierHits(ResultsWindowState& state, std::vector<std::string>& lines, common::StepFailures& failures) {
  BlankHitSummary(state);
  Checker check(state, lines, failures);
  // ワイド: the counter starts at 1 and grows before each match is handled.
  int wide = 1;
  WalkTicketMatches(state, [&](const TicketMatch& m) {
    const int p = m.position;
    switch (m.bet) {
      case MatchBet::kUmaren:
        check.Handle({m, "1", "点目", kSumUmaren, p, results::kTierUmaren, false});
        break;
      case MatchBet::kWide: {
        ++wide;
        const bool column = wide <= 4;
        check.Handle({m, column ? std::to_string(wide) : std::string(), "点目", column ? kSumWide1 + wide - 2 : -1, p,
                      results::kTierWide, false});
        break;
      }
      case MatchBet::kUmatan:
        if (m.order == 1)
          check.Handle({m, "5", "点目表", kSumUmatan, 2 * p - 1, results::kTierUmatanOmote, false, 11});
        else
          check.Handle({m, "5", "点目裏", kSumUmatan, 2 * p, results::kTierUmatanUra, false});
        break;
      case MatchBet::kSanrenpuku:
        check.Handle({m, "6", "点目", kSumSanrenpuku, p, results::kTierSanrenpuku, true});
        break;
      case MatchBet::kSanrentan:
        check.Handle({m, "7", "第" + std::to_string(m.order) + "順目", kSumSanrentan, 6 * (p - 1) + m.order,
                      results::kTierSanrentan, true});
        break;
    }
  });
}

}  // namespace radadovur::documents
