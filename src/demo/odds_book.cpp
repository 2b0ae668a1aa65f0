#include "demo/odds_book.h"

#include <algorithm>
#include <numeric>

namespace radadovur::demo {
namespace {

constexpr int kMaxHorses = 18;

// Odds in tenths for a probability and a payback share, '0' beyond what the field can show.
void SetOdds(OddsEntry& e, double probability, double payback, int64_t max_tenths) {
  if (probability <= 0) {
    e.fill = '0';
    return;
  }
  const double tenths = payback / probability * 10.0;
  if (tenths > static_cast<double>(max_tenths)) {
    e.fill = '0';
    return;
  }
  e.odds = std::max<int64_t>(10, static_cast<int64_t>(tenths));
}

bool Less(const OddsEntry& a, size_t ia, const OddsEntry& b, size_t ib) {
  return a.odds < b.odds || (a.odds == b.odds && ia < ib);
}

}  // namespace

std::string Num2(int n) { return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10); }

int OddsTable::PopularityOf(size_t index) const {
  const OddsEntry& e = entries[index];
  if (!e.HasOdds()) return 0;
  int rank = 1;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].HasOdds() && Less(entries[i], i, e, index)) ++rank;
  return rank;
}

int OddsTable::IndexOf(std::initializer_list<int> nums) const {
  for (size_t i = 0; i < entries.size(); ++i) {
    const OddsEntry& e = entries[i];
    if (e.count != nums.size()) continue;
    bool same = true;
    size_t k = 0;
    for (int n : nums) same = same && e.nums[k++] == n;
    if (same) return static_cast<int>(i);
  }
  return -1;
}

std::string OddsEntry::Comb() const {
  std::string s;
  for (size_t k = 0; k < count; ++k) s += brackets ? std::to_string(nums[k]) : Num2(nums[k]);
  return s;
}

std::vector<int> OddsTable::Popularities() const {
  std::vector<size_t> idx;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].HasOdds()) idx.push_back(i);
  std::sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return Less(entries[a], a, entries[b], b); });
  std::vector<int> pop(entries.size(), 0);
  for (size_t r = 0; r < idx.size(); ++r) pop[idx[r]] = static_cast<int>(r) + 1;
  return pop;
}

OddsBook MakeOddsBook(const Race& race, bool every_entry) {
  const int n = static_cast<int>(race.runners.size());
  std::array<double, kMaxHorses + 1> p{};
  std::array<char, kMaxHorses + 1> missing{};  // ' ' no such horse, '*' scratched
  std::array<int, kMaxHorses + 1> bracket{};
  for (int u = 1; u <= kMaxHorses; ++u) missing[static_cast<size_t>(u)] = ' ';
  for (const auto& r : race.runners) {
    p[static_cast<size_t>(r.umaban)] = r.scratched ? 0 : r.market;
    missing[static_cast<size_t>(r.umaban)] = r.scratched ? '*' : 0;
    bracket[static_cast<size_t>(r.umaban)] = r.wakuban;
  }
  // Chance that i wins and j comes second, and the share of the rest left for third.
  std::array<std::array<double, kMaxHorses + 1>, kMaxHorses + 1> first_two{}, third_share{};
  for (int i = 1; i <= kMaxHorses; ++i)
    for (int j = 1; j <= kMaxHorses; ++j) {
      if (i == j || p[i] <= 0 || p[j] <= 0) continue;
      first_two[i][j] = p[i] * p[j] / (1 - p[i]);
      const double rest = 1 - p[i] - p[j];
      third_share[i][j] = rest <= 0 ? 0.0 : 1 / rest;
    }
  auto h2 = [&](int i, int j) { return first_two[i][j]; };
  auto h3 = [&](int i, int j, int k) { return first_two[i][j] * third_share[i][j] * p[k]; };
  auto fill_of = [&](std::initializer_list<int> horses) -> char {
    char fill = 0;
    for (int h : horses) {
      const char m = missing[static_cast<size_t>(h)];
      if (m == ' ') return ' ';
      if (m == '*') fill = '*';
    }
    return fill;
  };

  OddsBook book;
  book.win.entries.reserve(28);
  book.place.entries.reserve(28);
  book.bracket.entries.reserve(36);
  book.quinella.entries.reserve(153);
  book.wide.entries.reserve(153);
  book.exacta.entries.reserve(306);
  book.trio.entries.reserve(816);
  book.trifecta.entries.reserve(4896);
  // Win and place.
  std::array<double, kMaxHorses + 1> top3{};
  std::array<std::array<double, kMaxHorses + 1>, kMaxHorses + 1> both{};  // both in the first three
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      for (int k = 1; k <= n; ++k) {
        if (i == j || j == k || i == k || p[i] <= 0 || p[j] <= 0 || p[k] <= 0) continue;
        const double t = h3(i, j, k);
        top3[i] += t;
        top3[j] += t;
        top3[k] += t;
        both[std::min(i, j)][std::max(i, j)] += t;
        both[std::min(i, k)][std::max(i, k)] += t;
        both[std::min(j, k)][std::max(j, k)] += t;
      }
  for (int u = 1; u <= 28; ++u) {
    OddsEntry w, pl;
    w.nums[0] = pl.nums[0] = static_cast<uint8_t>(u);
    w.count = pl.count = 1;
    if (u > kMaxHorses || missing[static_cast<size_t>(u)] == ' ') {
      w.fill = pl.fill = ' ';
    } else if (missing[static_cast<size_t>(u)] == '*') {
      w.fill = pl.fill = '*';
    } else {
      w.odds = race.runners[static_cast<size_t>(u - 1)].odds;
      const double share = top3[static_cast<size_t>(u)];
      const double base = 0.8 / std::max(share, 1e-9) * 10.0;
      pl.odds = std::clamp<int64_t>(static_cast<int64_t>(base * 0.75), 10, 9999);
      pl.odds_high = std::clamp<int64_t>(static_cast<int64_t>(base * 1.4), pl.odds, 9999);
    }
    book.win.entries.push_back(w);
    book.place.entries.push_back(pl);
  }
  // Bracket quinella: sold for fields of nine or more.
  const bool brackets_sold = race.Starters() >= 9;
  std::array<bool, 9> bracket_out{};
  for (int b = 1; b <= 8; ++b) {
    bool any = false, all_out = true;
    for (const auto& r : race.runners)
      if (r.wakuban == b) {
        any = true;
        all_out = all_out && r.scratched;
      }
    bracket_out[static_cast<size_t>(b)] = any && all_out;
  }
  for (int a = 1; a <= 8; ++a)
    for (int b = a; b <= 8; ++b) {
      OddsEntry e;
      e.nums = {static_cast<uint8_t>(a), static_cast<uint8_t>(b), 0};
      e.count = 2;
      e.brackets = true;
      if (!brackets_sold) {
        e.fill = ' ';
      } else if (bracket_out[static_cast<size_t>(a)] || bracket_out[static_cast<size_t>(b)]) {
        e.fill = '*';  // a bracket whose every runner is scratched
      } else {
        double prob = 0;
        for (int i = 1; i <= n; ++i)
          for (int j = 1; j <= n; ++j)
            if (i != j && bracket[static_cast<size_t>(i)] == a && bracket[static_cast<size_t>(j)] == b && p[i] > 0 && p[j] > 0)
              prob += h2(i, j) + (a == b ? 0 : h2(j, i));
        SetOdds(e, prob, 0.775, 99999);
      }
      book.bracket.entries.push_back(e);
    }
  // Pairs and triples over horse numbers 1..18, whatever the field size.
  const int top = every_entry ? kMaxHorses : n;
  for (int i = 1; i <= top; ++i)
    for (int j = i + 1; j <= top; ++j) {
      OddsEntry q, w;
      q.nums = w.nums = {static_cast<uint8_t>(i), static_cast<uint8_t>(j), 0};
      q.count = w.count = 2;
      q.fill = w.fill = fill_of({i, j});
      if (q.fill == ' ' && !every_entry) continue;
      if (!q.fill) {
        SetOdds(q, h2(i, j) + h2(j, i), 0.775, 999999);
        SetOdds(w, both[i][j], 0.775, 999999);
      }
      book.quinella.entries.push_back(q);
      book.wide.entries.push_back(w);
    }
  for (int i = 1; i <= top; ++i)
    for (int j = 1; j <= top; ++j) {
      if (i == j) continue;
      OddsEntry e;
      e.nums = {static_cast<uint8_t>(i), static_cast<uint8_t>(j), 0};
      e.count = 2;
      e.fill = fill_of({i, j});
      if (e.fill == ' ' && !every_entry) continue;
      if (!e.fill) SetOdds(e, h2(i, j), 0.75, 999999);
      book.exacta.entries.push_back(e);
    }
  for (int i = 1; i <= top; ++i)
    for (int j = i + 1; j <= top; ++j)
      for (int k = j + 1; k <= top; ++k) {
        OddsEntry e;
        e.nums = {static_cast<uint8_t>(i), static_cast<uint8_t>(j), static_cast<uint8_t>(k)};
        e.count = 3;
        e.fill = fill_of({i, j, k});
        if (e.fill == ' ' && !every_entry) continue;
        if (!e.fill)
          SetOdds(e, h3(i, j, k) + h3(i, k, j) + h3(j, i, k) + h3(j, k, i) + h3(k, i, j) + h3(k, j, i), 0.75, 999999);
        book.trio.entries.push_back(e);
      }
  for (int i = 1; i <= top; ++i)
    for (int j = 1; j <= top; ++j)
      for (int k = 1; k <= top; ++k) {
        if (i == j || j == k || i == k) continue;
        OddsEntry e;
        e.nums = {static_cast<uint8_t>(i), static_cast<uint8_t>(j), static_cast<uint8_t>(k)};
        e.count = 3;
        e.fill = fill_of({i, j, k});
        if (e.fill == ' ' && !every_entry) continue;
        if (!e.fill) SetOdds(e, h3(i, j, k), 0.725, 9999999);
        book.trifecta.entries.push_back(e);
      }
  return book;
}

}  // namespace radadovur::demo
