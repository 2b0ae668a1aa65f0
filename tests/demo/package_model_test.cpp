// The demo model's age curves (item 12) and race class (item 21): shaped by speed, sex and surface.
#include "demo/package_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace radadovur::demo {
namespace {

using engine::ModelSurface;

std::map<std::string, ModelCategory> Categories(ModelSurface surface, int item, std::vector<std::string> codes) {
  ItemCodeLists lists;
  lists[static_cast<size_t>(item)] = std::move(codes);
  std::map<std::string, ModelCategory> by_code;
  const ItemCategoryTable table = DemoModelCategories(surface, lists);
  for (const ModelCategory& c : table[static_cast<size_t>(item)]) by_code[c.code] = c;
  return by_code;
}

std::vector<std::string> AgeCodes(char sex, int from) {
  std::vector<std::string> codes;
  for (int m = from; m <= 59; ++m) codes.push_back(sex + std::to_string(m));
  return codes;
}

TEST(DemoModelTest, AgeCurvesRiseToAPrimeAndDifferBySpeedAndSex) {
  struct Case {
    ModelSurface surface;
    int youngest;
  } cases[] = {{ModelSurface::kTurf, 27}, {ModelSurface::kDirt, 27}, {ModelSurface::kHurdle, 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.surface));
    std::vector<std::string> codes = AgeCodes('1', c.youngest), mares = AgeCodes('2', c.youngest);
    codes.insert(codes.end(), mares.begin(), mares.end());
    const auto w = Categories(c.surface, 12, codes);
    for (char sex : {'1', '2'}) {
      std::vector<float> soha;
      for (int m = c.youngest; m <= 59; ++m) soha.push_back(w.at(sex + std::to_string(m)).soha);
      const auto prime = std::max_element(soha.begin(), soha.end());
      EXPECT_LT(soha.front(), *prime - 0.5f) << sex;  // the young are clearly slower
      EXPECT_LT(soha.back(), *prime) << sex;          // and the old fade
      EXPECT_NE(prime, soha.begin());
      EXPECT_NE(prime, soha.end() - 1);
    }
    // Fillies and mares differ from the males at the same age.
    EXPECT_NE(w.at("150").soha, w.at("250").soha);
    EXPECT_NE(w.at("157").soha, w.at("257").soha);
    if (c.surface != ModelSurface::kHurdle) {  // the hurdle model has one speed
      EXPECT_NE(w.at("140").agari, w.at("140").pace);
      EXPECT_NE(w.at("155").agari, w.at("155").soha);
    }
  }
}

TEST(DemoModelTest, HurdleRacesWeighTheirClass) {
  const auto w = Categories(ModelSurface::kHurdle, 21, {" ", "H"});
  EXPECT_NE(w.at(" ").soha, 0.0f);
  EXPECT_LT(w.at(" ").soha, w.at("H").soha);
}

TEST(DemoModelTest, EmptyCodesGetCategories) {
  // An empty code (a run whose field is blank) gets a category like any other and takes no
  // character it does not have.
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
        EXPECT_EQ(empty->soha, 0.0f);  // a blank class weighs nothing
      }
    }
  }
}

}  // namespace
}  // namespace radadovur::demo
