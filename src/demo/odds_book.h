#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "demo/demo_world.h"

// Every ticket's odds of one race, worked out from the runners' win probabilities (each finishing
// order as likely as the win probabilities make it, less the takeout of its bet kind).
namespace radadovur::demo {

// One ticket. `fill` says why an entry has no odds: ' ' a horse number the field lacks, '*' a
// scratched horse, '0' nobody bought it; 0 when `odds` (in tenths) holds the odds.
struct OddsEntry {
  std::array<uint8_t, 3> nums{};  // horse numbers (bracket numbers for the bracket quinella)
  uint8_t count = 0;              // how many of them name the ticket
  bool brackets = false;          // one digit per number
  int64_t odds = 0;
  int64_t odds_high = 0;  // place tickets: the upper bound
  char fill = 0;
  bool HasOdds() const { return fill == 0; }
  // "07", "0307", "030712"; "37" for brackets.
  std::string Comb() const;
};

class OddsTable {
 public:
  std::vector<OddsEntry> entries;
  // Popularity rank (1 = lowest odds; equal odds by entry order); 0 without odds.
  int PopularityOf(size_t index) const;
  // Index of the ticket of these numbers (in the table's order), or -1.
  int IndexOf(std::initializer_list<int> nums) const;
  // Every entry's popularity at once.
  std::vector<int> Popularities() const;
};

struct OddsBook {
  OddsTable win, place, bracket, quinella, wide, exacta, trio, trifecta;
};

// Horse numbers 1..18 in two digits.
std::string Num2(int n);

// `every_entry`: every ticket of an 18-horse field, as the odds records carry them; otherwise
// only tickets of horse numbers the field has (enough for payouts and popularity).
OddsBook MakeOddsBook(const Race& race, bool every_entry = true);

}  // namespace radadovur::demo
