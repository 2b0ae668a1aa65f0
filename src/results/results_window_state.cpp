#include "results/results_window_state.h"

namespace radadovur::results {

void ResetDayTallies(ResultsWindowState& state) {
  for (auto& block : state.TierTally) block = TierTallyBlock{};
  for (auto& column : state.PcTally) {
    column.HitRaces = 0;
    column.PayTotal = 0;
  }
  for (auto& points : state.PcPoints) points.PointsTotal = 0;
}

}  // namespace radadovur::results
