#include <gtest/gtest.h>

#include <string>

#include "engine/reference_sums.h"

namespace radadovur::engine {
namespace {

// Appends a category to item i of a surface (category 0 is created empty on first use).
int AddCategory(SurfaceModel& m, int item, const std::string& code, float agari, float pace) {
  const auto i = static_cast<size_t>(item);
  if (m.category_code[i].empty()) {
    m.category_code[i].push_back("");
    m.agari_weight[i].push_back(0.0f);
    m.pace_weight[i].push_back(0.0f);
  }
  m.category_code[i].push_back(code);
  m.agari_weight[i].push_back(agari);
  m.pace_weight[i].push_back(pace);
  return ++m.category_total[i];
}

ExRecord RunOn(const char* track) {
  ExRecord r;
  r.SetText(ex::TrackCode, track);
  return r;
}

TEST(ReferenceSums, SurfaceByTheNumberOfTheTrackCode) {
  // Item 1's code is found in every surface, with weights that tell the surfaces apart.
  ReferenceModel model;
  AddCategory(model.turf, 1, "2024     ", 1.0f, 10.0f);
  AddCategory(model.dirt, 1, "2024     ", 2.0f, 20.0f);
  AddCategory(model.hurdle, 1, "2024     ", 3.0f, 30.0f);
  const struct {
    const char* track;
    ModelSurface surface;
    float agari, pace;
  } cases[] = {{"24", ModelSurface::kDirt, 2, 20}, {"27", ModelSurface::kDirt, 2, 20},
               {"35", ModelSurface::kDirt, 2, 20}, {"49", ModelSurface::kDirt, 2, 20},
               {"22", ModelSurface::kTurf, 1, 10}, {"00", ModelSurface::kTurf, 1, 10},
               {"51", ModelSurface::kHurdle, 3, 30}, {"50", ModelSurface::kHurdle, 3, 30}};
  for (const auto& c : cases) {
    ExRecord r = RunOn(c.track);
    r.SetFactorCode(1, "2024");
    ReferenceIndices indices;
    ASSERT_TRUE(ReferenceCategoryIndices(model, r, indices).ok()) << c.track;
    EXPECT_EQ(indices.surface, c.surface) << c.track;
    EXPECT_EQ(indices.index[1], 1) << c.track;
    float agari = -1, pace = -1;
    ASSERT_TRUE(ReferenceAgariSum(model, r, agari).ok());
    ASSERT_TRUE(ReferencePaceSum(model, r, pace).ok());
    EXPECT_EQ(agari, c.agari) << c.track;
    EXPECT_EQ(pace, c.pace) << c.track;
  }
}

TEST(ReferenceSums, TrackCodeThatIsNotANumberFails) {
  ReferenceModel model;
  for (const char* track : {"  ", "1A"}) {
    float sum = 0;
    const auto status = ReferencePaceSum(model, RunOn(track), sum);
    EXPECT_FALSE(status.ok()) << track;
    EXPECT_NE(status.ToString().find("トラックコード"), std::string::npos) << status.ToString();
  }
}

TEST(ReferenceSums, KeysAbsentFromTheModelWeighNothing) {
  ReferenceModel model;
  // Weights at category 0 must not count, item 1's included.
  AddCategory(model.turf, 1, "1999     ", 4.0f, 4.0f);
  model.turf.agari_weight[1][0] = 7.0f;
  model.turf.pace_weight[1][0] = 7.0f;
  ExRecord r = RunOn("17");
  r.SetFactorCode(1, "2024");
  float agari = -1, pace = -1;
  ASSERT_TRUE(ReferenceAgariSum(model, r, agari).ok());
  ASSERT_TRUE(ReferencePaceSum(model, r, pace).ok());
  EXPECT_EQ(agari, 0.0f);
  EXPECT_EQ(pace, 0.0f);
}

TEST(ReferenceSums, ExactFirstMatchAtFullWidthWithoutTheItem2Fallback) {
  SurfaceModel m;
  AddCategory(m, 2, "61317", 0, 0);
  AddCategory(m, 3, "C12", 0, 0);        // shorter than the 9-character field: no match
  AddCategory(m, 3, "C12      ", 0, 0);  // the first full-width match
  AddCategory(m, 3, "C12      ", 0, 0);
  EXPECT_EQ(FindReferenceCategory(m, 2, "51317      "), 0);
  EXPECT_EQ(FindCategory(m, 2, "51317      "), 1);  // where the driver's lookup would find it
  EXPECT_EQ(FindReferenceCategory(m, 3, "C12      "), 2);
  EXPECT_EQ(FindReferenceCategory(m, 3, "C12"), 1);
}

TEST(ReferenceSums, Items20To21And26AreLookedUpByTheirOwnFields) {
  ReferenceModel model;
  AddCategory(model.dirt, 20, "1234567890", 1.0f, 0);
  AddCategory(model.dirt, 21, "          ", 2.0f, 0);
  AddCategory(model.dirt, 26, "1", 4.0f, 0);
  ExRecord r = RunOn("24");
  r.SetText(ex::SireNum, "1234567890");
  r.SetText(ex::BlinkerCode, "1");
  r.SetText(ex::DamSireNum, "");
  // Item 20's factor code holds the sire figure, not the sire: it must not be the key.
  r.SetFactorCode(20, "1234567890");
  r.SetFactorCode(21, "x");
  r.SetFactorCode(26, "x");
  ReferenceIndices indices;
  ASSERT_TRUE(ReferenceCategoryIndices(model, r, indices).ok());
  EXPECT_EQ(indices.index[20], 1);
  EXPECT_EQ(indices.index[21], 1);  // a blank DamSireNum finds a code of ten blanks
  EXPECT_EQ(indices.index[26], 1);
  EXPECT_EQ(ReferenceAgariSum(model, indices), 7.0f);

  r.SetText(ex::SireNum, "0000000001");
  r.SetText(ex::DamSireNum, "0000000000");
  ASSERT_TRUE(ReferenceCategoryIndices(model, r, indices).ok());
  EXPECT_EQ(indices.index[20], 0);
  EXPECT_EQ(indices.index[21], 0);
}

TEST(ReferenceSums, RunningSumIsRoundedToSinglePrecisionAfterEachAddition) {
  ReferenceModel model;
  ExRecord r = RunOn("10");
  // 2^24 + 1 + 1: in single precision each 1 is lost on its own; in double the sum is
  // 16777218, which single precision could hold.
  AddCategory(model.turf, 1, "A", 16777216.0f, 0);
  AddCategory(model.turf, 2, "B", 1.0f, 0);
  AddCategory(model.turf, 3, "C", 1.0f, 0);
  r.SetFactorCode(1, "A");
  r.SetFactorCode(2, "B");
  r.SetFactorCode(3, "C");
  for (int i : {1, 2, 3}) model.turf.category_code[static_cast<size_t>(i)][1].resize(ex::kFactorCode[static_cast<size_t>(i)].width, ' ');
  float agari = 0;
  ASSERT_TRUE(ReferenceAgariSum(model, r, agari).ok());
  EXPECT_EQ(agari, 16777216.0f);
}

}  // namespace
}  // namespace radadovur::engine
