#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The store's sort: a quicksort of text keys that carries a parallel array of record numbers.
namespace radadovur::store {

// Sorts keys[lo..hi] ascending (byte by byte) and applies every exchange of two keys to the same
// two positions of items. A range with lo >= hi stays unchanged.
//
// Not stable, and deliberately so: the middle element is the pivot and a key equal to it stops
// both scans and is exchanged. Which of several equal keys ends up last decides which record the
// store keeps, so these exchanges must stay exactly as they are.
void SortKeysAscending(std::vector<std::string>& keys, std::vector<int64_t>& items, int64_t lo, int64_t hi);

// After a sort: the positions p at which a run of equal keys ends (the last of each key), in
// ascending key order. The store keeps, for each key, the record that the sort placed last.
std::vector<size_t> LastOfEachKey(const std::vector<std::string>& keys);

}  // namespace radadovur::store
