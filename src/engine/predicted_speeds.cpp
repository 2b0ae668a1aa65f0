#include "engine/predicted_speeds.h"

#include <array>
#include <cmath>

#include "common/convert.h"
#include "engine/layout_ex.h"
#include "engine/speed_code.h"

namespace radadovur::engine {
namespace {

constexpr float kWeightClip = 20.0f;

// (SpeedCodes element, item) of the sample counts.
constexpr std::array<std::pair<uint32_t, int>, 5> kSampleCountItems = {
    {{ex::kSampleCounts, 6}, {ex::kSampleCounts + 1, 18}, {ex::kSampleCounts + 2, 19}, {ex::kSampleCounts + 3, 20},
     {ex::kSampleCounts + 4, 21}}};

void CopyCategoryOne(SurfaceModel& model, size_t j) {
  for (auto* table : {&model.agari_weight, &model.pace_weight, &model.soha_weight}) {
    auto& weights = (*table)[1];
    if (j < weights.size()) weights[j] = weights.size() > 1 ? weights[1] : 0.0f;
  }
}

bool Counts(int item, float weight) { return item == 1 || std::fabs(weight) <= kWeightClip; }

}  // namespace

void FillItemOneGaps(SurfaceModel& model) {
  CopyCategoryOne(model, 0);
  for (int j = 1; j <= model.category_total[1]; ++j)
    if (model.CategorySamples(1, j) == 0) CopyCategoryOne(model, static_cast<size_t>(j));
}

common::Status PredictSpeeds(ExRecord& record, const SurfaceModel& model) {
  std::array<int, kFactorItems + 1> index{};
  for (int i = 1; i <= kFactorItems; ++i) {
    const std::string_view text = record.Text(ex::FactorCategoryIndex, static_cast<uint32_t>(i));
    const auto value = common::WholeNumber(text);
    if (!value)
      return common::Status::InvalidArgument("因子の区分番号 " + std::to_string(i),
                                             "因子 " + std::to_string(i) + " の区分番号 \"" + common::Shown(text) +
                                                 "\" は整数ではありません");
    // Beyond the model's 6000 categories nothing is stored: such an index weighs 0.
    index[static_cast<size_t>(i)] = *value >= 0 && *value <= kMaxFactorCategories ? static_cast<int>(*value) : -1;
  }

  for (const auto& [element, item] : kSampleCountItems)
    record.SetText(ex::SpeedCodes, CountCode7(model.CategorySamples(item, index[static_cast<size_t>(item)])), element);

  float agari = 0.0f, pace = 0.0f, soha = 0.0f;
  for (int i = 1; i <= kFactorItems; ++i) {
    const int d = index[static_cast<size_t>(i)];
    const float wa = model.AgariWeight(i, d), wp = model.PaceWeight(i, d), ws = model.SohaWeight(i, d);
    if (Counts(i, wa)) agari += wa;
    if (Counts(i, wp)) pace += wp;
    if (Counts(i, ws)) soha += ws;
    record.SetReal(ex::AgariFW, static_cast<uint32_t>(i), wa);
    record.SetReal(ex::PaceFW, static_cast<uint32_t>(i), wp);
    record.SetReal(ex::SohaFW, static_cast<uint32_t>(i), ws);
  }
  record.SetText(ex::SpeedCodes, PredictedSpeedCode7(agari), ex::kPredictedAgariCode);
  record.SetText(ex::SpeedCodes, PredictedSpeedCode7(pace), ex::kPredictedPaceCode);
  record.SetText(ex::SpeedCodes, PredictedSpeedCode7(soha), ex::kPredictedSohaCode);

  std::array<float, 13> r{};
  for (uint32_t k = 0; k < 3; ++k) r[k] = static_cast<float>(SpeedFromCode(record.Text(ex::SpeedCodes, k)));
  r[3] = agari;
  r[4] = pace;
  r[5] = soha;
  r[ex::kCombinedSoha] = r[5];
  r[ex::kObservedMinusCombined] = r[2] - r[6];
  r[ex::kPredictedMinusCombined] = r[5] - r[6];
  r[ex::kAgariResidual] = r[0] - r[3];
  r[ex::kPaceResidual] = r[1] - r[4];
  r[ex::kSohaResidual] = r[2] - r[5];
  const double divisor = static_cast<double>(r[4]) - static_cast<double>(r[3]);
  r[ex::kPositionIndex] =
      divisor == 0.0 ? 0.0f
                     : static_cast<float>((static_cast<double>(r[2]) - static_cast<double>(r[3])) * 100.0 / divisor);
  for (uint32_t k = 0; k < r.size(); ++k) record.SetReal(ex::SpeedResults, k, r[k]);
  return common::Status::OK();
}

}  // namespace radadovur::engine
