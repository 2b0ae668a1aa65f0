#include "engine/reference_sums.h"

#include <string>

#include "common/convert.h"

namespace radadovur::engine {
namespace {

using WeightOf = float (SurfaceModel::*)(int, int) const;

float WeightSum(const ReferenceModel& model, const ReferenceIndices& indices, WeightOf weight) {
  const SurfaceModel& surface = model.Of(indices.surface);
  float sum = 0.0f;
  for (int i = 1; i <= kFactorItems; ++i) {
    const int j = indices.index[static_cast<size_t>(i)];
    // Category 0 (and a category the weight table does not reach) weighs nothing.
    if (j > 0) sum = static_cast<float>(sum + (surface.*weight)(i, j));
  }
  return sum;
}

common::Status Sum(const ReferenceModel& model, const ExRecord& run, WeightOf weight, float& sum) {
  ReferenceIndices indices;
  if (auto status = ReferenceCategoryIndices(model, run, indices); !status.ok()) return status;
  sum = WeightSum(model, indices, weight);
  return common::Status::OK();
}

}  // namespace

common::Status ReferenceSurface(const ExRecord& run, ModelSurface& surface) {
  const std::string_view track = run.Text(ex::TrackCode);
  const auto t = common::WholeNumber(track);
  if (!t)
    return common::Status::InvalidArgument(
        "トラックコード", common::Shown(std::string(run.Text(ex::Year)) + std::string(run.Text(ex::MonthDay))) +
                         " の走のトラックコード [" + common::Shown(track) + "] は整数ではありません");
  surface = ReferenceSurfaceOf(*t);
  return common::Status::OK();
}

std::string_view ReferenceKey(const ExRecord& run, int item) {
  switch (item) {
    case 20: return run.Text(ex::SireNum);
    case 21: return run.Text(ex::DamSireNum);
    case 26: return run.Text(ex::BlinkerCode);
    default: return run.FactorCode(item);
  }
}

int FindReferenceCategory(const SurfaceModel& model, int item, std::string_view key) {
  if (item < 1 || item > kFactorItems) return 0;
  const int total = model.category_total[static_cast<size_t>(item)];
  for (int j = 1; j <= total; ++j)
    if (model.CategoryCode(item, j) == key) return j;
  return 0;
}

common::Status ReferenceCategoryIndices(const ReferenceModel& model, const ExRecord& run, ReferenceIndices& out) {
  ModelSurface surface;
  if (auto status = ReferenceSurface(run, surface); !status.ok()) return status;
  out.surface = surface;
  const SurfaceModel& m = model.Of(surface);
  out.index[0] = 0;
  for (int i = 1; i <= kFactorItems; ++i) out.index[static_cast<size_t>(i)] = FindReferenceCategory(m, i, ReferenceKey(run, i));
  return common::Status::OK();
}

float ReferenceAgariSum(const ReferenceModel& model, const ReferenceIndices& indices) {
  return WeightSum(model, indices, &SurfaceModel::AgariWeight);
}

float ReferencePaceSum(const ReferenceModel& model, const ReferenceIndices& indices) {
  return WeightSum(model, indices, &SurfaceModel::PaceWeight);
}

common::Status ReferenceAgariSum(const ReferenceModel& model, const ExRecord& run, float& sum) {
  return Sum(model, run, &SurfaceModel::AgariWeight, sum);
}

common::Status ReferencePaceSum(const ReferenceModel& model, const ExRecord& run, float& sum) {
  return Sum(model, run, &SurfaceModel::PaceWeight, sum);
}

}  // namespace radadovur::engine
