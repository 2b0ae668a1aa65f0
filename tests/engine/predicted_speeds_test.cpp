#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/predicted_speeds.h"
#include "engine_fixture.h"

namespace radadovur::engine {
namespace {

using testing::Run;

struct Category {
  int item, category;
  float agari, pace, soha;
  int32_t samples = 1;
};

// Every item with `total` categories of weight 0 and one sample, then the given categories.
SurfaceModel MakeModel(int total, const std::vector<Category>& categories) {
  SurfaceModel m;
  for (int i = 1; i <= kFactorItems; ++i) {
    const auto n = static_cast<size_t>(total) + 1;
    m.category_total[static_cast<size_t>(i)] = total;
    m.category_code[static_cast<size_t>(i)].assign(n, "");
    m.agari_weight[static_cast<size_t>(i)].assign(n, 0.0f);
    m.pace_weight[static_cast<size_t>(i)].assign(n, 0.0f);
    m.soha_weight[static_cast<size_t>(i)].assign(n, 0.0f);
    m.category_samples[static_cast<size_t>(i)].assign(n, 1);
    m.category_samples[static_cast<size_t>(i)][0] = 0;
  }
  for (const Category& c : categories) {
    const auto i = static_cast<size_t>(c.item), j = static_cast<size_t>(c.category);
    m.agari_weight[i][j] = c.agari;
    m.pace_weight[i][j] = c.pace;
    m.soha_weight[i][j] = c.soha;
    m.category_samples[i][j] = c.samples;
  }
  FillItemOneGaps(m);
  return m;
}

// A run whose items fall into the given categories (0 for the items not named).
ExRecord RunIn(const std::vector<std::pair<int, int>>& indices, const char* agari = "0000000",
               const char* pace = "0000000", const char* soha = "0000000") {
  ExRecord r = Run({{ex::SpeedCodes, agari, 0}, {ex::SpeedCodes, pace, 1}, {ex::SpeedCodes, soha, 2}});
  for (uint32_t i = 1; i <= kFactorItems; ++i) r.SetText(ex::FactorCategoryIndex, "0", i);
  for (const auto& [item, category] : indices)
    r.SetText(ex::FactorCategoryIndex, std::to_string(category), static_cast<uint32_t>(item));
  return r;
}

float Result(const ExRecord& r, uint32_t k) { return r.Real(ex::SpeedResults, k); }

TEST(PredictSpeedsTest, ClipRuleAppliesPerSpeedAndNotToItemOne) {
  const SurfaceModel model = MakeModel(3, {{1, 2, 30.5f, 25.0f, 50.0f, 5},
                                           {2, 1, 20.0f, 20.5f, -20.0f},
                                           {3, 1, -20.5f, 1.0f, 2.0f},
                                           {6, 1, 0.0f, 0.0f, 0.0f, 123},
                                           {18, 2, 0.0f, 0.0f, 0.0f, 45}});
  ExRecord r = RunIn({{1, 2}, {2, 1}, {3, 1}, {6, 1}, {18, 2}}, "6000000", "       ", "5500000");
  ASSERT_TRUE(PredictSpeeds(r, model).ok());

  EXPECT_EQ(r.Text(ex::SpeedCodes, ex::kPredictedAgariCode), "5050000");  // 30.5 + 20, not -20.5
  EXPECT_EQ(r.Text(ex::SpeedCodes, ex::kPredictedPaceCode), "2600000");   // 25 + 1, not 20.5
  EXPECT_EQ(r.Text(ex::SpeedCodes, ex::kPredictedSohaCode), "3200000");   // 50 - 20 + 2
  EXPECT_EQ(r.Text(ex::SpeedCodes, 6), "0000123");
  EXPECT_EQ(r.Text(ex::SpeedCodes, 7), "0000045");
  EXPECT_EQ(r.Text(ex::SpeedCodes, 8), "0000000");  // item 19 in category 0
  // The weights as looked up, before the rule.
  EXPECT_EQ(r.Real(ex::PaceFW, 2), 20.5f);
  EXPECT_EQ(r.Real(ex::AgariFW, 3), -20.5f);
  EXPECT_EQ(r.Real(ex::SohaFW, 1), 50.0f);

  const float expected[13] = {60.0f,  0.0f,  55.0f, 50.5f, 26.0f, 32.0f, 32.0f, 23.0f, 0.0f, 9.5f, -26.0f, 23.0f,
                              static_cast<float>((55.0 - 50.5) * 100.0 / (26.0 - 50.5))};
  for (uint32_t k = 0; k < 13; ++k) EXPECT_EQ(Result(r, k), expected[k]) << "SpeedResults " << k;
}

TEST(PredictSpeedsTest, ItemOneCategoriesWithoutDataTakeCategoryOne) {
  const SurfaceModel model =
      MakeModel(4, {{1, 1, 40.0f, 41.0f, 42.0f}, {1, 4, 99.0f, 99.0f, 99.0f, 0}, {2, 1, 5.0f, 5.0f, 5.0f}});
  for (const int category : {0, 4}) {
    ExRecord r = RunIn({{1, category}});
    ASSERT_TRUE(PredictSpeeds(r, model).ok());
    EXPECT_EQ(r.Text(ex::SpeedCodes, ex::kPredictedAgariCode), "4000000") << category;
    EXPECT_EQ(r.Real(ex::AgariFW, 1), 40.0f) << category;
    EXPECT_EQ(r.Real(ex::SohaFW, 1), 42.0f) << category;
  }
  // Filling twice changes nothing; a category with data keeps its weights, item 2's category 0
  // stays 0.
  SurfaceModel again = model;
  FillItemOneGaps(again);
  EXPECT_EQ(again.AgariWeight(1, 4), 40.0f);
  EXPECT_EQ(again.AgariWeight(1, 3), 0.0f);
  EXPECT_EQ(again.AgariWeight(2, 0), 0.0f);
}

TEST(PredictSpeedsTest, CodesAndSumsInSinglePrecision) {
  // 62.6 is held as 62.599998: the code keeps the digits of the single value.
  for (const auto& [weight, code] : std::vector<std::pair<float, std::string>>{{62.5f, "6250000"}, {62.6f, "6259999"}}) {
    ExRecord r = RunIn({{1, 1}});
    ASSERT_TRUE(PredictSpeeds(r, MakeModel(1, {{1, 1, weight, weight, weight}})).ok());
    EXPECT_EQ(r.Text(ex::SpeedCodes, ex::kPredictedSohaCode), code);
  }
  // Each addition is rounded to single precision: 29 millionths added one by one to 60 vanish.
  std::vector<Category> small = {{1, 1, 60.0f, 60.0f, 60.0f}};
  std::vector<std::pair<int, int>> indices = {{1, 1}};
  for (int i = 2; i <= kFactorItems; ++i) {
    small.push_back({i, 1, 1e-6f, 1e-6f, 1e-6f});
    indices.push_back({i, 1});
  }
  ExRecord r = RunIn(indices);
  ASSERT_TRUE(PredictSpeeds(r, MakeModel(1, small)).ok());
  EXPECT_EQ(r.Text(ex::SpeedCodes, ex::kPredictedAgariCode), "6000000");
}

TEST(PredictSpeedsTest, HurdleRunAndThisWeeksEntry) {
  // The hurdle model's three tables are one: equal codes, and a position index of 0.
  const SurfaceModel model = MakeModel(1, {{1, 1, 55.0f, 55.0f, 55.0f}, {5, 1, 3.0f, 3.0f, 3.0f}});
  ExRecord r = RunIn({{1, 1}, {5, 1}});  // observed codes "0000000": this week's entry
  ASSERT_TRUE(PredictSpeeds(r, model).ok());
  EXPECT_EQ(r.Text(ex::SpeedCodes, 3), r.Text(ex::SpeedCodes, 5));
  EXPECT_EQ(r.Text(ex::SpeedCodes, 4), "5800000");
  EXPECT_EQ(Result(r, ex::kPositionIndex), 0.0f);
  EXPECT_EQ(Result(r, ex::kAgariResidual), -58.0f);
  EXPECT_EQ(Result(r, ex::kSohaResidual), -58.0f);
}

TEST(PredictSpeedsTest, IndexThatIsNotANumberFailsBeforeWriting) {
  ExRecord r = RunIn({});
  r.SetText(ex::FactorCategoryIndex, "", 17);
  const std::string before = r.bytes();
  const common::Status status = PredictSpeeds(r, MakeModel(1, {}));
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.ToString().find("因子 17 の区分番号"), std::string::npos) << status.ToString();
  EXPECT_EQ(r.bytes(), before);
}

}  // namespace
}  // namespace radadovur::engine
