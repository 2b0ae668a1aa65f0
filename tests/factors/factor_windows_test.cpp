// The three windows' names, captions and explanatory texts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/cp932.h"
#include "factors/factor_windows.h"

namespace radadovur::factors {
namespace {

std::set<int> ItemsWithoutText(ModelSurface surface) {
  std::set<int> items;
  for (int k = 1; k <= kFactorItems; ++k)
    if (ExplanationText(surface, k).empty()) items.insert(k);
  return items;
}

TEST(FactorWindowsTest, WhichItemsHaveNoExplanation) {
  EXPECT_EQ(ItemsWithoutText(ModelSurface::kTurf), (std::set<int>{22}));
  EXPECT_EQ(ItemsWithoutText(ModelSurface::kDirt), (std::set<int>{22}));
  EXPECT_EQ(ItemsWithoutText(ModelSurface::kHurdle), (std::set<int>{3, 11, 13, 15, 21, 22, 24, 25, 26, 27}));
  // Of those, the hurdle tabs 15, 21 and 27 have no box at all.
  std::set<int> without_box;
  for (int k = 1; k <= kFactorItems; ++k)
    for (ModelSurface s : engine::kModelSurfaces)
      if (ItemTabs()[static_cast<size_t>(k)].text_box[WindowIndex(s)].empty()) without_box.insert(k * 10 + static_cast<int>(s));
  EXPECT_EQ(without_box, (std::set<int>{152, 212, 272}));
}

TEST(FactorWindowsTest, SharedTextsAndTheirExceptions) {
  const std::string_view ability = ExplanationText(ModelSurface::kTurf, 6);
  const std::string_view influence = ExplanationText(ModelSurface::kTurf, 11);
  EXPECT_EQ(common::Utf8Length(ability), 53u);
  EXPECT_EQ(common::Utf8Length(influence), 50u);
  for (int k : {6, 15, 17, 18, 19, 20, 21, 23, 27}) EXPECT_EQ(ExplanationText(ModelSurface::kDirt, k), ability) << k;
  for (int k : {11, 25, 26}) EXPECT_EQ(ExplanationText(ModelSurface::kDirt, k), influence) << k;
  EXPECT_EQ(ExplanationText(ModelSurface::kDirt, 2), ExplanationText(ModelSurface::kHurdle, 2));
  EXPECT_NE(ExplanationText(ModelSurface::kDirt, 2), ExplanationText(ModelSurface::kTurf, 2));
  EXPECT_NE(ExplanationText(ModelSurface::kTurf, 2).find("新潟直線1000ｍ"), std::string_view::npos);
  EXPECT_EQ(ExplanationText(ModelSurface::kHurdle, kAgeItem), kAgeChartText);
  EXPECT_EQ(kAgeChartText,
            "縦軸の単位は時速(Km/hr)です。基本的な理解としては数値が大きいほど影響度が強いと考えて下さい。"
            "なお、単位は月齢です。27は満2歳3ヶ月を意味します。43以上は3ヶ月を単位としています。");
}

TEST(FactorWindowsTest, CaptionsKeepTheirBlanksAndIdeographicSpaces) {
  EXPECT_EQ(WindowLayout(ModelSurface::kTurf).caption, "芝予想因子 Ver.2020.7.21  202001-202407");
  EXPECT_EQ(WindowLayout(ModelSurface::kDirt).caption, "ダート予想因子\u3000Ver.2020.7.21 202001-202407");
  EXPECT_EQ(WindowLayout(ModelSurface::kHurdle).caption, "障害予想因子\u3000Ver.2020.7.21 202001-202407");
  EXPECT_EQ(ItemTabs()[24].caption[0], "F24\u3000馬番土日");
  EXPECT_EQ(ItemTabs()[12].caption[1], "F12 馬齢(月齢）");
  EXPECT_EQ(ItemTabs()[10].caption[1], "F10 負担重量%");
  EXPECT_EQ(ItemTabs()[28].caption[2], "F28\u3000登録頭数");
  EXPECT_EQ(WindowLayout(ModelSurface::kHurdle).inner_pages[2], "F12\u3000馬齢（月齢）数値");
}

}  // namespace
}  // namespace radadovur::factors
