#include "store/sort_keys.h"

#include <utility>

namespace radadovur::store {

void SortKeysAscending(std::vector<std::string>& keys, std::vector<int64_t>& items, int64_t lo, int64_t hi) {
  // The two parts left by a partition are disjoint and each is sorted on its own, so the order
  // in which they are sorted does not change the result. Recursing into the smaller part and
  // looping on the larger keeps the depth logarithmic whatever the input.
  while (lo < hi) {
    const std::string pivot = keys[static_cast<size_t>((lo + hi) / 2)];
    int64_t i = lo;
    int64_t j = hi;
    for (;;) {
      while (keys[static_cast<size_t>(i)] < pivot) ++i;
      while (keys[static_cast<size_t>(j)] > pivot) --j;
      if (i >= j) break;
      std::swap(keys[static_cast<size_t>(i)], keys[static_cast<size_t>(j)]);
      std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
      ++i;
      --j;
    }
    const int64_t left_lo = lo, left_hi = i - 1;
    const int64_t right_lo = j + 1, right_hi = hi;
    if (left_hi - left_lo < right_hi - right_lo) {
      if (left_lo < left_hi) SortKeysAscending(keys, items, left_lo, left_hi);
      lo = right_lo;
      hi = right_hi;
    } else {
      if (right_lo < right_hi) SortKeysAscending(keys, items, right_lo, right_hi);
      lo = left_lo;
      hi = left_hi;
    }
  }
}

std::vector<size_t> LastOfEachKey(const std::vector<std::string>& keys) {
  std::vector<size_t> last;
  for (size_t p = 0; p < keys.size(); ++p)
    if (p + 1 == keys.size() || keys[p + 1] != keys[p]) last.push_back(p);
  return last;
}

}  // namespace radadovur::store
