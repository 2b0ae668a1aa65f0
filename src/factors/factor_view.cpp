#include "factors/factor_view.h"

#include <algorithm>

namespace radadovur::factors {

FactorView ViewOf(ModelSurface surface, const engine::SurfaceModel& model) {
  FactorView view;
  view.surface = surface;
  view.legend = LegendGrid(surface);
  for (int k = 1; k <= kFactorItems; ++k) view.items[static_cast<size_t>(k)] = ItemGrid(surface, model, k);
  view.male = AgeChartOf(surface, model, Sex::kMale);
  view.female = AgeChartOf(surface, model, Sex::kFemale);
  return view;
}

common::Status LoadFactorView(const std::string& app_path, ModelSurface surface, FactorView& view) {
  engine::SurfaceModel model;
  std::string error;
  if (!engine::LoadSurfaceModel(app_path, surface, engine::kModelAll, model, &error)) {
    // The reader's message starts with the file's path, followed by ": " or by the line (" の ").
    const auto end = std::min(error.find(": "), error.find(" の "));
    return common::Status::IoError(end == std::string::npos ? error : error.substr(0, end), error);
  }
  view = ViewOf(surface, model);
  return common::Status::OK();
}

}  // namespace radadovur::factors
