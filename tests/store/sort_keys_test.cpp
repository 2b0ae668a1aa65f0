#include "store/sort_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace radadovur::store {
namespace {

// The sort written plainly as its steps read: partition around the middle key, then the left
// part, then the right part, both by recursion. SortKeysAscending must give exactly this.
void PlainSort(std::vector<std::string>& keys, std::vector<int64_t>& items, int64_t lo, int64_t hi) {
  const std::string pivot = keys[(lo + hi) / 2];
  int64_t i = lo, j = hi;
  for (;;) {
    while (keys[i] < pivot) ++i;
    while (keys[j] > pivot) --j;
    if (i >= j) break;
    std::swap(keys[i], keys[j]);
    std::swap(items[i], items[j]);
    ++i;
    --j;
  }
  if (lo < i - 1) PlainSort(keys, items, lo, i - 1);
  if (j + 1 < hi) PlainSort(keys, items, j + 1, hi);
}

std::vector<int64_t> Iota(size_t n, int64_t from) {
  std::vector<int64_t> v(n);
  std::iota(v.begin(), v.end(), from);
  return v;
}

struct TieCase {
  const char* name;
  std::vector<std::string> keys;
  std::vector<std::string> sorted_keys;
  std::vector<int64_t> sorted_items;  // record numbers from 1
  std::vector<int64_t> kept;          // the record kept for each key
};

TEST(SortKeysAscending, OrdersEqualKeysByItsExchanges) {
  const std::vector<TieCase> cases = {
      {"two equal keys", {"K", "K"}, {"K", "K"}, {2, 1}, {1}},
      {"four equal keys", {"K", "K", "K", "K"}, {"K", "K", "K", "K"}, {3, 4, 1, 2}, {2}},
      {"three keys", {"3", "1", "2"}, {"1", "2", "3"}, {2, 3, 1}, {2, 3, 1}},
      {"one key", {"K"}, {"K"}, {1}, {1}},
      {"no key", {}, {}, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto keys = c.keys;
    auto items = Iota(keys.size(), 1);
    SortKeysAscending(keys, items, 0, static_cast<int64_t>(keys.size()) - 1);
    EXPECT_EQ(keys, c.sorted_keys);
    EXPECT_EQ(items, c.sorted_items);
    std::vector<int64_t> kept;
    for (size_t p : LastOfEachKey(keys)) kept.push_back(items[p]);
    EXPECT_EQ(kept, c.kept);
  }
}

TEST(SortKeysAscending, SortsOnlyTheGivenRange) {
  std::vector<std::string> keys = {"", "9", "3", "1", "0"};
  auto items = Iota(5, 0);
  SortKeysAscending(keys, items, 1, 3);  // index 0 and 4 stay where they are
  EXPECT_EQ(keys, (std::vector<std::string>{"", "1", "3", "9", "0"}));
  EXPECT_EQ(items, (std::vector<int64_t>{0, 3, 2, 1, 4}));
}

TEST(SortKeysAscending, GivesThePlainSortsOrderForManyDuplicates) {
  std::mt19937 random(20240812);
  for (int round = 0; round < 300; ++round) {
    const size_t n = 1 + random() % 200;
    const int distinct = 1 + static_cast<int>(random() % 12);
    std::vector<std::string> keys(n);
    for (auto& k : keys) k = "20240803" + std::to_string(random() % distinct);
    auto plain_keys = keys;
    auto items = Iota(n, 1);
    auto plain_items = items;
    SortKeysAscending(keys, items, 0, static_cast<int64_t>(n) - 1);
    PlainSort(plain_keys, plain_items, 0, static_cast<int64_t>(n) - 1);
    ASSERT_EQ(items, plain_items) << "round " << round;
    ASSERT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  }
}

// Large inputs of the shapes that make a quicksort deep: the stack must hold.
TEST(SortKeysAscending, LargeSortedReversedAndEqualInputs) {
  const size_t n = 1'000'000;
  std::vector<std::vector<std::string>> inputs(3, std::vector<std::string>(n));
  for (size_t i = 0; i < n; ++i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08zu", i);
    inputs[0][i] = buf;
    inputs[1][n - 1 - i] = buf;
    inputs[2][i] = "2024080305";
  }
  for (auto& keys : inputs) {
    auto items = Iota(n, 1);
    SortKeysAscending(keys, items, 0, static_cast<int64_t>(n) - 1);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, Iota(n, 1));
  }
}

}  // namespace
}  // namespace radadovur::store
