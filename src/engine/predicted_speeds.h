#pragma once
#include "common/status.h"
#include "engine/ex_record.h"
#include "engine/weight_model.h"

// A run's predicted speeds: for each of the three speeds the sum over the 30 factor items of the
// weight of the run's category, with the per-item weights, sample counts, residuals and position
// index written into the run's expanded record.
namespace radadovur::engine {

// Item 1's categories without data take category 1's weights, and so does its category 0; no
// other item changes. Applying it again changes nothing, so a model read once and filled once
// predicts every run as a model read afresh for each run would.
void FillItemOneGaps(SurfaceModel& model);

// Predicts the run in `record` from the model of its surface (loaded whole, FillItemOneGaps
// applied), reading the run's FactorCategoryIndex 1..30 and observed speed codes. Writes
// SpeedCodes 3..10, AgariFW/PaceFW/SohaFW 1..30 and SpeedResults 0..12. The three sums are single
// precision, rounded after each addition in item order; an item other than 1 counts toward a
// speed only while its weight for that speed lies within -20..20. A FactorCategoryIndex that is
// not a whole number fails before anything is written.
common::Status PredictSpeeds(ExRecord& record, const SurfaceModel& model);

}  // namespace radadovur::engine
