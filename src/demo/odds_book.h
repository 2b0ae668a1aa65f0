#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "demo/demo_world.h"

// Every ticket's odds of one race, worked out from the runners' win probabilities (each finishing
// order as likely as the win probabilities make it, less the takeout of its bet kind).
namespace radadovur::demo {

// One ticket. `fill` says why an entry has no odds: ' ' a horse number the field lacks, '*' a
// scratched horse, '0' nobody bought it; 0 when `odds` (in tenths) holds the odds.
struct OddsEntry {
  std::string comb;
  int64_t odds = 0;
  int64_t odds_high = 0;  // place tickets: the upper bound
  char fill = 0;
  bool HasOdds() const { return fill == 0; }
};

class OddsTable {
 public:
  std::vector<OddsEntry> entries;
  // Popularity rank (1 = lowest odds; equal odds by entry order); 0 without odds.
  int PopularityOf(size_t index) const;
  int PopularityOf(const std::string& comb) const;
  // Every entry's popularity at once.
  std::vector<int> Popularities() const;
  const OddsEntry* Find(const std::string& comb) const;
};

struct OddsBook {
  OddsTable win, place, bracket, quinella, wide, exacta, trio, trifecta;
};

// Horse numbers 1..18 in two digits.
std::string Num2(int n);

OddsBook MakeOddsBook(const Race& race);

}  // namespace radadovur::demo
