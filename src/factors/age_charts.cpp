#include "factors/age_charts.h"

#include "factors/factor_grids.h"

namespace radadovur::factors {

AgeChart AgeChartOf(ModelSurface surface, const engine::SurfaceModel& model, Sex sex) {
  const FactorWindowLayout& layout = WindowLayout(surface);
  const bool hurdle = surface == ModelSurface::kHurdle;
  const int youngest = hurdle ? 40 : 27, rows = 59 - youngest + 1;
  // A hurdle model lists each sex's 20 classes in turn, so the females follow the males there too.
  const int first = sex == Sex::kMale ? 1 : 1 + rows;

  AgeChart chart;
  chart.name = std::string(sex == Sex::kMale ? layout.male_chart : layout.female_chart);
  chart.series = {AgeSeries{"上がり", kAgariRgb, {}}, AgeSeries{"ペース", kPaceRgb, {}}, AgeSeries{"走破", kSohaRgb, {}}};
  for (int r = 0; r < rows; ++r) {
    const int p = first + r;
    chart.row_labels.push_back(std::to_string(youngest + r));
    chart.series[0].values.push_back(model.AgariWeight(kAgeItem, p));
    chart.series[1].values.push_back(model.PaceWeight(kAgeItem, p));
    chart.series[2].values.push_back(model.SohaWeight(kAgeItem, p));
  }
  return chart;
}

}  // namespace radadovur::factors
