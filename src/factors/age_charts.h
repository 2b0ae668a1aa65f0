#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/weight_model.h"
#include "factors/factor_windows.h"

// The age curves of tab 12: factor item 12's weights by month-age, one chart per sex, one curve
// per predicted speed.
namespace radadovur::factors {

enum class Sex { kMale, kFemale };

struct AgeSeries {
  std::string label;  // also the legend text
  uint32_t rgb = 0;
  std::vector<float> values;  // one per row, at full single precision
};

struct AgeChart {
  std::string name;                     // the chart control's name
  std::vector<std::string> row_labels;  // the month-ages, "27".."59" (hurdle "40".."59")
  std::array<AgeSeries, 3> series;      // 上がり, ペース, 走破
  // The value axis is fixed, whatever the weights: -2.5 to 2.5 km/h in ten divisions.
  double axis_min = -2.5, axis_max = 2.5;
  int axis_divisions = 10;
};

// The chart of one sex. The model lists item 12's categories by sex, males first, each sex's
// month-ages in ascending order (turf and dirt 27..59, 33 classes; hurdle 40..59, 20 classes);
// the chart takes them by position, so a model with fewer categories shows 0 for the rest.
AgeChart AgeChartOf(ModelSurface surface, const engine::SurfaceModel& model, Sex sex);

}  // namespace radadovur::factors
