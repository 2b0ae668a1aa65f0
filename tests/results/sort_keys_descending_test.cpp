#include "results/sort_keys_descending.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace radadovur::results {
namespace {

struct SortCase {
  const char* what;
  std::vector<float> keys;  // entry 0 unused
  std::vector<std::string> expected;
};

TEST(SortKeysDescendingTest, EqualKeysEndWhereThePartitionStepsPutThem) {
  const std::vector<SortCase> cases = {
      {"speeds 61.5, 62.0, 60.1", {0, 61.5f, 62.0f, 60.1f}, {"", "02", "01", "03"}},
      {"two equal: both scans stop and exchange", {0, 60, 60}, {"", "02", "01"}},
      {"three equal: the ends exchange", {0, 5, 5, 5}, {"", "03", "02", "01"}},
      {"one key", {0, 60}, {"", "01"}},
      {"no key", {0}, {""}},
  };
  for (const auto& c : cases) {
    std::vector<float> keys = c.keys;
    std::vector<std::string> items(keys.size());
    for (size_t i = 1; i < items.size(); ++i) items[i] = std::string(i < 10 ? "0" : "") + std::to_string(i);
    SortKeysDescending(keys, items, 1, static_cast<int64_t>(keys.size()) - 1);
    EXPECT_EQ(items, c.expected) << c.what;
    EXPECT_TRUE(std::is_sorted(keys.begin() + 1, keys.end(), std::greater<float>())) << c.what;
  }
}

TEST(SortKeysDescendingTest, SortsAnyRangeAndCarriesItsItemsWithoutLeavingIt) {
  std::mt19937 random(19);
  for (int round = 0; round < 300; ++round) {
    const int n = 1 + round % 40;
    std::vector<float> keys(static_cast<size_t>(n) + 2);
    std::vector<std::string> items(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
      keys[i] = static_cast<float>(random() % (round % 3 == 0 ? 3 : 50));  // many ties in some rounds
      items[i] = std::to_string(keys[i]) + "#" + std::to_string(i);
    }
    const auto before_keys = keys;
    const auto before_items = items;
    SortKeysDescending(keys, items, 1, n);
    ASSERT_TRUE(std::is_sorted(keys.begin() + 1, keys.begin() + n + 1, std::greater<float>())) << round;
    // Outside lo..hi nothing moves; inside, every item still goes with its key.
    EXPECT_EQ(keys.front(), before_keys.front());
    EXPECT_EQ(keys.back(), before_keys.back());
    EXPECT_EQ(items.front(), before_items.front());
    EXPECT_EQ(items.back(), before_items.back());
    for (int i = 1; i <= n; ++i) EXPECT_EQ(items[static_cast<size_t>(i)].rfind(std::to_string(keys[static_cast<size_t>(i)]) + "#", 0), 0u);
    auto sorted_before = std::vector<std::string>(before_items.begin() + 1, before_items.begin() + n + 1);
    auto sorted_after = std::vector<std::string>(items.begin() + 1, items.begin() + n + 1);
    std::sort(sorted_before.begin(), sorted_before.end());
    std::sort(sorted_after.begin(), sorted_after.end());
    EXPECT_EQ(sorted_after, sorted_before);
  }
}

}  // namespace
}  // namespace radadovur::results
