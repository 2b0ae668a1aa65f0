#pragma once
#include <array>
#include <string_view>

#include "common/status.h"
#include "engine/ex_record.h"
#include "engine/weight_model.h"

// What the weight model predicts for a run as it was stored: the run's category of each of the
// 30 items in the model the prediction window loaded when it opened, and the sums of their
// last-600 m and pace weights. Items 17 and 29 compare an earlier run's observed speeds with
// these sums.
//
// Unlike the prediction of the run itself, every item counts whatever the size of its weight,
// a code not in the model finds category 0 (no second try for item 2) and category 0 weighs 0
// for every item, item 1 included. The surface comes from the numeric TrackCode: 0..22 turf,
// 23..49 dirt, anything else hurdle.
namespace radadovur::engine {

struct ReferenceIndices {
  ModelSurface surface = ModelSurface::kTurf;
  // Category of item i (index 0 unused), 0 when the key is not in the surface's list.
  std::array<int, kFactorItems + 1> index{};
};

// The surface of the run for the reference sums; a TrackCode that is not a whole number fails.
common::Status ReferenceSurface(const ExRecord& run, ModelSurface& surface);

// The text item i is looked up by, at its full width: the item's FactorCode, except SireNum for
// item 20, DamSireNum for item 21 and BlinkerCode for item 26.
std::string_view ReferenceKey(const ExRecord& run, int item);

// The first category j = 1 .. CategoryTotal(i) whose code equals `key` exactly (same length,
// same bytes); 0 when none does.
int FindReferenceCategory(const SurfaceModel& model, int item, std::string_view key);

// Items 1 to 30 of `run` in the model of its surface.
common::Status ReferenceCategoryIndices(const ReferenceModel& model, const ExRecord& run, ReferenceIndices& out);

// The sums over items 1 to 30, in item order, in single precision (rounded after each addition),
// of the weights of the categories in `indices`, from the model of their surface.
float ReferenceAgariSum(const ReferenceModel& model, const ReferenceIndices& indices);
float ReferencePaceSum(const ReferenceModel& model, const ReferenceIndices& indices);

// The categories of `run` and then one sum, of the run's surface.
common::Status ReferenceAgariSum(const ReferenceModel& model, const ExRecord& run, float& sum);
common::Status ReferencePaceSum(const ReferenceModel& model, const ExRecord& run, float& sum);

}  // namespace radadovur::engine
