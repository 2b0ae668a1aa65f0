// The demo model's categories for codes a coder can return: an empty code (a run whose field is
// blank) gets a category like any other and takes no character it does not have.
#include "demo/package_model.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace radadovur::demo {
namespace {

TEST(DemoModelTest, EmptyCodesGetCategories) {
  ItemCodeLists codes;
  for (int item = 1; item <= engine::kFactorItems; ++item) codes[static_cast<size_t>(item)] = {"", "1", "25"};
  for (const engine::ModelSurface surface : engine::kModelSurfaces) {
    const ItemCategoryTable table = DemoModelCategories(surface, codes);
    for (const int item : {12, 16, 21}) {
      const auto& list = table[static_cast<size_t>(item)];
      ASSERT_FALSE(list.empty()) << item;
      const auto empty = std::find_if(list.begin(), list.end(), [](const ModelCategory& c) { return c.code.empty(); });
      ASSERT_NE(empty, list.end()) << item;
      if (item == 21) {
        EXPECT_EQ(empty->soha, 0.0f);  // a class of no grade weighs nothing
      }
    }
  }
}

}  // namespace
}  // namespace radadovur::demo
