#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// The race's best tickets by tier, as the result document lists them twice: condensed (MU: the
// 馬単 pair; MS: the triple) and full (PU: 馬連 and both 馬単 orders; PS: 3連複 and, in races
// "01" to "12", its six 3連単 orders). Positions 1-6 / 7-12 / 13-18 of the pairs and 1-7 / 8-14 /
// 15-21 of the triples are the tiers 本線 (H), 準本線 (J) and 伏兵 (F); a tag is its stem, tier
// letter and the point within the tier (MUJ2 for pair position 8), item 2 the position. How many
// positions are listed depends on the registered runner count alone.
namespace radadovur::documents {

// The race's sorted ticket lists, best first: entry 0 is position 1. Pairs as aabb, triples as
// aabbcc; 馬単 with the horse bought first, 3連単 in predicted order (the base of its six orders).
struct TicketLists {
  std::span<const std::string> umaren, umatan, sanrenpuku, sanrentan;
};

struct ListingInput {
  std::string_view registered_count;  // TorokuTosu of the race, compared as a text
  std::string_view race_num;          // RaceNum of the race, compared as a text
  TicketLists tickets;
};

// Listed positions by the registered count: pairs "00"-"05" 6, "06" 12, any other text 18;
// triples "00"-"04" 4, "05" 7, "06" 14, any other text 21.
int ListedPairCount(std::string_view registered_count);
int ListedTripleCount(std::string_view registered_count);

// The lines, CP932 with CR LF, in document order. A listed position with no ticket (past the end
// of its list, or an empty entry) gets its line with empty ticket texts, so that the tags run on
// as the registered count says; a ticket that does not read as horse numbers loses its line, and
// the failure is reported.
std::vector<std::string> CondensedTicketLines(const ListingInput& input, common::StepFailures& failures);
std::vector<std::string> TierTicketLines(const ListingInput& input, common::StepFailures& failures);

}  // namespace radadovur::documents
