#pragma once
#include <algorithm>
#include <vector>

namespace radadovur::bench {

// The middle of the timings of several rounds (the upper middle of an even count), so that one
// round disturbed by other load does not move the figure. `v` must not be empty.
inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace radadovur::bench
