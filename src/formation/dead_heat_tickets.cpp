#include "formation/dead_heat_tickets.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace radadovur::formation {
namespace {

bool InLeg(int rank, int from, int to) { return rank >= from && rank <= to; }

// Ranks `a` and `b` in any two places and the third horse from the partners first..e.
bool AxesWithPartner(std::span<const int> ranks, int a, int b, int first, int e) {
  std::array<int, 3> sorted{ranks[0], ranks[1], ranks[2]};
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < 3; ++i) {
    std::array<int, 2> axes{};
    for (size_t j = 0, k = 0; j < 3; ++j)
      if (j != i) axes[k++] = sorted[j];
    if (axes == std::array<int, 2>{std::min(a, b), std::max(a, b)} && InLeg(sorted[i], first, e)) return true;
  }
  return false;
}

}  // namespace

bool DeadHeatAmongFirstThree(const results::FixedRunnerTexts& place_marks) {
  for (std::string_view place : {"01", "02", "03"})
    if (std::count(place_marks.begin(), place_marks.end(), place) > 1) return true;
  return false;
}

bool IsColumnTicket(results::PcColumn column, std::span<const int> ranks, int e) {
  const int a = std::min(3, e);  // the first leg: ranks 1 to 3
  const bool pair = ranks.size() == 2, triple = ranks.size() == 3;
  if (pair && ranks[0] == ranks[1]) return false;
  if (triple && (ranks[0] == ranks[1] || ranks[0] == ranks[2] || ranks[1] == ranks[2])) return false;
  switch (column) {
    case results::kPcUmarenF:
      return pair && InLeg(ranks[0], 1, e) && InLeg(ranks[1], 1, e) && std::min(ranks[0], ranks[1]) <= a;
    case results::kPcUmarenB: return pair && InLeg(ranks[0], 1, e) && InLeg(ranks[1], 1, e);
    case results::kPcUmatanF: return pair && InLeg(ranks[0], 1, a) && InLeg(ranks[1], 1, e);
    case results::kPcSanrenpukuB:
      return triple && InLeg(ranks[0], 1, e) && InLeg(ranks[1], 1, e) && InLeg(ranks[2], 1, e);
    case results::kPcSanrentan12: return triple && AxesWithPartner(ranks, 1, 2, 3, e);
    case results::kPcSanrentan23: return triple && AxesWithPartner(ranks, 2, 3, 4, e);
    case results::kPcSanrentan13: return triple && AxesWithPartner(ranks, 1, 3, 4, e);
    default: return false;
  }
}

}  // namespace radadovur::formation
