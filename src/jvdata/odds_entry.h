#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "jvdata/layout_odds.h"
#include "jvdata/record.h"

// The entries of the combination odds records (O2, O4, O5, O6) read as horse numbers and odds.
namespace radadovur::jvdata::odds {

// The family member of a record type; nullptr for any type outside the family.
const Family* FamilyOf(RecordType type);

// Horses a ticket of the family names: 2 for quinella and exacta, 3 for trio and trifecta.
constexpr uint32_t HorsesOf(const Family& f) { return f.comb_width / 2; }

inline constexpr int kMaxHorseNumber = 18;

// One entry: the horse numbers in the order of its Combination and its odds in tenths
// (0 when the entry carries one of the no-value fillings).
struct EntryOdds {
  std::array<int, 3> horses{};
  int32_t tenths = 0;
};

enum class EntryRead {
  kOk,          // horses and odds (or no odds) read
  kNoHorse,     // no horse number at all ("00" or blanks): an unused entry of a small field
  kBadHorse,    // a horse number that is not 1 to 18 (a blank or garbled Combination)
  kBadOdds,     // Odds neither a no-value filling nor digits
};

// Reads entry i of a record of family f. A record cut short gives empty fields past its end,
// which read as kBadHorse.
EntryRead ReadEntry(const Family& f, std::string_view record, uint32_t i, EntryOdds& out);

}  // namespace radadovur::jvdata::odds
