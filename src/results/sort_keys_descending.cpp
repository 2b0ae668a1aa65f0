#include "results/sort_keys_descending.h"

#include <utility>

namespace radadovur::results {

void SortKeysDescending(std::vector<float>& keys, std::vector<std::string>& items, int64_t lo, int64_t hi) {
  if (lo < 0 || hi <= lo || static_cast<size_t>(hi) >= keys.size() || static_cast<size_t>(hi) >= items.size()) return;
  const float pivot = keys[static_cast<size_t>((lo + hi) / 2)];
  int64_t i = lo;
  int64_t j = hi;
  for (;;) {
    while (keys[static_cast<size_t>(i)] > pivot) ++i;
    while (keys[static_cast<size_t>(j)] < pivot) --j;
    if (i >= j) break;
    std::swap(keys[static_cast<size_t>(i)], keys[static_cast<size_t>(j)]);
    std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
    ++i;
    --j;
  }
  if (lo < i - 1) SortKeysDescending(keys, items, lo, i - 1);
  if (j + 1 < hi) SortKeysDescending(keys, items, j + 1, hi);
}

}  // namespace radadovur::results
