#pragma once
#include "jvdata/layout_header.h"

// Odds records. They are never stored in record files: the odds downloads append the delivered
// text (CR LF included) to odds text files and readers parse the lines back.

// WinOddsRecord (O1): 962 bytes.
namespace radadovur::jvdata::o1 {
inline constexpr uint32_t kLength = 962;

#define RADADOVUR_O1_FIELDS(X)                                 \
  RADADOVUR_HEADER_FIELDS(X)                                   \
  RADADOVUR_RACEID_FIELDS(X)                                   \
  X(AnnounceTime, 27, 8, 1, 0, 1, 0)                           \
  X(TorokuTosu, 35, 2, 1, 0, 1, 0)                             \
  X(ShussoTosu, 37, 2, 1, 0, 1, 0)                             \
  X(SaleFlags, 39, 1, 4, 1, 1, 0)                              \
  X(WinOddsEntries_Umaban, 43, 2, 28, 8, 1, 0)                 \
  X(WinOddsEntries_Odds, 45, 4, 28, 8, 1, 0)                   \
  X(WinOddsEntries_Popularity, 49, 2, 28, 8, 1, 0)             \
  X(PlaceOddsEntries_Umaban, 267, 2, 28, 12, 1, 0)             \
  X(PlaceOddsEntries_OddsLow, 269, 4, 28, 12, 1, 0)            \
  X(PlaceOddsEntries_OddsHigh, 273, 4, 28, 12, 1, 0)           \
  X(PlaceOddsEntries_Popularity, 277, 2, 28, 12, 1, 0)         \
  X(BracketOddsEntries_Combination, 603, 2, 36, 9, 1, 0)       \
  X(BracketOddsEntries_Odds, 605, 5, 36, 9, 1, 0)              \
  X(BracketOddsEntries_Popularity, 610, 2, 36, 9, 1, 0)        \
  X(TotalVotes, 927, 11, 3, 11, 1, 0)                          \
  X(LineEnd, 960, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_O1_FIELDS)
static_assert(TilesExactly<kLength>(kFields), "O1 layout must cover 962 bytes exactly");
}  // namespace radadovur::jvdata::o1

// The combination odds family O2, O4, O5, O6: a 40-byte head, n entries of e bytes
// {Combination, Odds, Popularity}, TotalVotes (11) and the line end.
namespace radadovur::jvdata::odds {

#define RADADOVUR_ODDS_HEAD_FIELDS(X)   \
  RADADOVUR_HEADER_FIELDS(X)            \
  RADADOVUR_RACEID_FIELDS(X)            \
  X(AnnounceTime, 27, 8, 1, 0, 1, 0)    \
  X(TorokuTosu, 35, 2, 1, 0, 1, 0)      \
  X(ShussoTosu, 37, 2, 1, 0, 1, 0)      \
  X(SaleFlag, 39, 1, 1, 0, 1, 0)

RADADOVUR_ODDS_HEAD_FIELDS(RADADOVUR_FIELD_CONST)
inline constexpr uint32_t kHeadLength = 40;

struct Family {
  std::string_view spec;
  uint32_t entries;      // n
  uint32_t comb_width;   // Combination
  uint32_t odds_width;   // Odds, in tenths
  uint32_t pop_width;    // Popularity
  constexpr uint32_t entry_length() const { return comb_width + odds_width + pop_width; }
  constexpr uint32_t total_votes_offset() const { return kHeadLength + entries * entry_length(); }
  constexpr uint32_t length() const { return total_votes_offset() + 13; }
  constexpr Field Combination() const { return {kHeadLength, comb_width, entries, entry_length()}; }
  constexpr Field Odds() const { return {kHeadLength + comb_width, odds_width, entries, entry_length()}; }
  constexpr Field Popularity() const { return {kHeadLength + comb_width + odds_width, pop_width, entries, entry_length()}; }
  constexpr Field TotalVotes() const { return {total_votes_offset(), 11}; }
  constexpr Field LineEnd() const { return {total_votes_offset() + 11, 2}; }
};

inline constexpr Family kQuinella{"O2", 153, 4, 6, 3};
inline constexpr Family kExacta{"O4", 306, 4, 6, 3};
inline constexpr Family kTrio{"O5", 816, 6, 6, 3};
inline constexpr Family kTrifecta{"O6", 4896, 6, 7, 4};

#define RADADOVUR_ODDS_HEAD_ROW(id, off, w, n, s, n2, s2) FieldSpec{#id, Field{off, w, n, s, n2, s2}},
constexpr std::array<FieldSpec, 18> FamilyFields(const Family& f) {
  return {{RADADOVUR_ODDS_HEAD_FIELDS(RADADOVUR_ODDS_HEAD_ROW)
           FieldSpec{"Entries_Combination", f.Combination()},
           FieldSpec{"Entries_Odds", f.Odds()},
           FieldSpec{"Entries_Popularity", f.Popularity()},
           FieldSpec{"TotalVotes", f.TotalVotes()},
           FieldSpec{"LineEnd", f.LineEnd()}}};
}
#undef RADADOVUR_ODDS_HEAD_ROW

inline constexpr auto kQuinellaFields = FamilyFields(kQuinella);
inline constexpr auto kExactaFields = FamilyFields(kExacta);
inline constexpr auto kTrioFields = FamilyFields(kTrio);
inline constexpr auto kTrifectaFields = FamilyFields(kTrifecta);

static_assert(kQuinella.length() == 2042 && kQuinella.total_votes_offset() == 2029);
static_assert(kExacta.length() == 4031 && kExacta.total_votes_offset() == 4018);
static_assert(kTrio.length() == 12293 && kTrio.total_votes_offset() == 12280);
static_assert(kTrifecta.length() == 83285 && kTrifecta.total_votes_offset() == 83272);
static_assert(TilesExactly<2042>(kQuinellaFields));
static_assert(TilesExactly<4031>(kExactaFields));
static_assert(TilesExactly<12293>(kTrioFields));
// The trifecta's 83285 bytes would take a byte-by-byte check past a compiler's constant-evaluation
// limit. Its offsets are linear in the entry count, so a copy with two entries that tiles
// exactly shows the same for all 4896.
inline constexpr Family kTrifectaTwoEntries{"O6", 2, kTrifecta.comb_width, kTrifecta.odds_width, kTrifecta.pop_width};
static_assert(TilesExactly<kTrifectaTwoEntries.length()>(FamilyFields(kTrifectaTwoEntries)));

// An odds field with no value: all "0", all "-", all "*" or all blanks.
bool IsNoOdds(std::string_view odds);

}  // namespace radadovur::jvdata::odds
