#pragma once
#include <array>
#include <string>

#include "common/status.h"
#include "engine/weight_model.h"
#include "factors/age_charts.h"
#include "factors/factor_grids.h"

// Everything a factor weight window shows, made from its surface's model in one go, so that a
// model that does not load leaves nothing half-shown.
namespace radadovur::factors {

struct FactorView {
  ModelSurface surface = ModelSurface::kTurf;
  Grid legend;
  std::array<Grid, kFactorItems + 1> items;  // index 0 unused
  AgeChart male, female;
};

FactorView ViewOf(ModelSurface surface, const engine::SurfaceModel& model);

// Reads the surface's model files below `app_path` (all six parts; the hurdle window's three
// weight columns all come from its whole-race file) and makes the view. A missing file, one with
// too few values, a value that is not a number or a category count above 6000 fails with the
// file named, and `view` is left as it was.
common::Status LoadFactorView(const std::string& app_path, ModelSurface surface, FactorView& view);

}  // namespace radadovur::factors
