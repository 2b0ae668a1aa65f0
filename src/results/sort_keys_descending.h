#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The results pass's sort: a partition sort of single-precision keys, largest first, that carries
// a parallel array of texts (horse numbers, tickets).
namespace radadovur::results {

// Sorts keys[lo..hi] descending and applies every exchange of two keys to the same two positions
// of items. A range with hi <= lo stays unchanged.
//
// Not stable, and deliberately so: the middle element is the pivot, a key equal to it stops both
// scans and is exchanged. Which of two equal speeds or scores comes first decides ranks and
// tiers, so the steps must stay exactly as they are.
void SortKeysDescending(std::vector<float>& keys, std::vector<std::string>& items, int64_t lo, int64_t hi);

}  // namespace radadovur::results
