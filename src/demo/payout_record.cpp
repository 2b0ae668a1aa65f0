// The payout record of a run race, worked out from its placings (dead heats included) and its
// odds.
#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "demo/demo_records.h"
#include "demo/record_writer.h"
#include "jvdata/layout_hr.h"

namespace radadovur::demo {
namespace {

using Horses = std::vector<int>;

const Runner& RunnerOf(const Race& race, int umaban) { return race.runners[static_cast<size_t>(umaban - 1)]; }

Horses Sorted(Horses v) {
  std::sort(v.begin(), v.end());
  return v;
}

// The first three of every finishing order the race's dead heats allow: the horses sharing a
// placing in each of their orders, ascending by horse numbers.
std::set<Horses> FinishingOrders(const Race& race) {
  std::vector<Horses> groups;  // horses sharing one placing, in the order's order
  size_t covered = 0;
  for (int u : race.order) {
    const bool same = !groups.empty() && RunnerOf(race, groups.back().front()).finish == RunnerOf(race, u).finish;
    if (!same && covered >= 3) break;
    if (!same) groups.emplace_back();
    groups.back().push_back(u);
    ++covered;
  }
  std::vector<Horses> orders = {{}};
  for (const Horses& group : groups) {
    std::vector<Horses> longer;
    Horses perm = Sorted(group);
    do
      for (const Horses& o : orders) {
        Horses next = o;
        next.insert(next.end(), perm.begin(), perm.end());
        longer.push_back(std::move(next));
      }
    while (std::next_permutation(perm.begin(), perm.end()));
    orders = std::move(longer);
  }
  std::set<Horses> out;
  for (Horses& o : orders)
    if (o.size() >= 3) out.insert(Horses(o.begin(), o.begin() + 3));
  return out;
}

int IndexOf(const OddsTable& table, const Horses& nums) {
  for (size_t i = 0; i < table.entries.size(); ++i) {
    const OddsEntry& e = table.entries[i];
    if (e.count == nums.size() && std::equal(nums.begin(), nums.end(), e.nums.begin())) return static_cast<int>(i);
  }
  return -1;
}

struct Block {
  const OddsTable& table;
  const jvdata::Field &combination, &payout, &popularity;
  uint32_t entries;
};

}  // namespace

std::string PayoutRecordOf(const Race& race, const OddsBook& book, char category, const Date& created) {
  namespace hr = jvdata::hr;
  RecordWriter w(jvdata::RecordType::HR);
  w.Header(category, Text8(created)).RaceId(race.spec.RaceId());
  w.Num(hr::TorokuTosu, static_cast<int64_t>(race.runners.size())).Num(hr::ShussoTosu, race.Starters());
  bool refunds = false;
  for (uint32_t u = 0; u < 28; ++u) {
    const bool scratched = u < race.runners.size() && race.runners[u].scratched;
    refunds = refunds || scratched;
    w.Bytes(hr::RefundedHorses, scratched ? "1" : "0", u);
  }
  for (uint32_t i = 0; i < 9; ++i) {
    // The 3連単 of a race without its result was not established.
    w.Bytes(hr::VoidFlags, race.trifecta_void && i == 8 ? "1" : "0", i).Bytes(hr::SpecialPayFlags, "0", i);
    w.Bytes(hr::RefundFlags, refunds && i != 5 ? "1" : "0", i);
  }
  // A bracket whose every runner is scratched is refunded; so is its same-bracket pair when fewer
  // than two of its runners start.
  std::array<int, 9> entered{}, starting{};
  for (const Runner& r : race.runners) {
    ++entered[static_cast<size_t>(r.wakuban)];
    starting[static_cast<size_t>(r.wakuban)] += r.scratched ? 0 : 1;
  }
  for (uint32_t b = 0; b < 8; ++b) {
    const int in = entered[b + 1], out = in - starting[b + 1];
    w.Bytes(hr::RefundedBrackets, in > 0 && out == in ? "1" : "0", b);
    w.Bytes(hr::RefundedSameBrackets, in >= 2 && out > 0 && starting[b + 1] < 2 ? "1" : "0", b);
  }
  if (race.order.size() < 3) return w.Take();

  // A payout in yen per 100-yen ticket: the odds in tenths times ten.
  auto write = [&](const Block& block, const std::set<Horses>& tickets) {
    uint32_t i = 0;
    for (const Horses& t : tickets) {
      const int index = IndexOf(block.table, t);
      if (i == block.entries) break;
      if (index < 0 || !block.table.entries[static_cast<size_t>(index)].HasOdds()) continue;
      const OddsEntry& e = block.table.entries[static_cast<size_t>(index)];
      w.Bytes(block.combination, e.Comb(), i).Num(block.payout, e.odds * 10, i);
      w.Num(block.popularity, block.table.PopularityOf(static_cast<size_t>(index)), i);
      ++i;
    }
  };
  const std::set<Horses> orders = FinishingOrders(race);
  std::set<Horses> win, bracket, quinella, wide, exacta, trio, trifecta;
  for (const Horses& o : orders) {
    win.insert({o[0]});
    const int wa = RunnerOf(race, o[0]).wakuban, wb = RunnerOf(race, o[1]).wakuban;
    bracket.insert({std::min(wa, wb), std::max(wa, wb)});
    quinella.insert(Sorted({o[0], o[1]}));
    for (const Horses& pair : {Horses{o[0], o[1]}, Horses{o[0], o[2]}, Horses{o[1], o[2]}}) wide.insert(Sorted(pair));
    exacta.insert({o[0], o[1]});
    trio.insert(Sorted(o));
    trifecta.insert(o);
  }
  write({book.win, hr::TanshoPayouts_Combination, hr::TanshoPayouts_Payout, hr::TanshoPayouts_Popularity, 3}, win);
  // Place: three places paid from eight starters on, two below; every horse that shares a paid
  // placing is paid, in finishing order.
  const int places = race.Starters() >= 8 ? 3 : 2;
  uint32_t i = 0;
  for (int u : race.order) {
    if (RunnerOf(race, u).finish > places || i == 5) break;
    const OddsEntry& e = book.place.entries[static_cast<size_t>(u - 1)];
    const int64_t yen = (e.odds * 10 + (e.odds_high - e.odds) * 3) / 10 * 10;
    w.Bytes(hr::FukushoPayouts_Combination, Num2(u), i).Num(hr::FukushoPayouts_Payout, yen, i);
    w.Num(hr::FukushoPayouts_Popularity, book.place.PopularityOf(static_cast<size_t>(u - 1)), i);
    ++i;
  }
  if (race.Starters() >= 9)
    write({book.bracket, hr::WakurenPayouts_Combination, hr::WakurenPayouts_Payout, hr::WakurenPayouts_Popularity, 3},
          bracket);
  write({book.quinella, hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, hr::UmarenPayouts_Popularity, 3}, quinella);
  write({book.wide, hr::WidePayouts_Combination, hr::WidePayouts_Payout, hr::WidePayouts_Popularity, 7}, wide);
  write({book.exacta, hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout, hr::UmatanPayouts_Popularity, 6}, exacta);
  write({book.trio, hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout, hr::SanrenpukuPayouts_Popularity, 3},
        trio);
  if (race.trifecta_void) {
    // No result: the first entry reads "000000".
    w.Fill(hr::SanrentanPayouts_Combination, '0', 0).Fill(hr::SanrentanPayouts_Payout, '0', 0);
    w.Fill(hr::SanrentanPayouts_Popularity, '0', 0);
  } else {
    write({book.trifecta, hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout, hr::SanrentanPayouts_Popularity, 6},
          trifecta);
  }
  return w.Take();
}

}  // namespace radadovur::demo
