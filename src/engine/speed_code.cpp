#include "engine/speed_code.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/convert.h"

namespace radadovur::engine {
namespace {

constexpr int64_t kMaxCode = 9999999;

// Int(x) into 0 .. max; NaN counts as 0.
int64_t ClampedFloor(double x, int64_t max) {
  if (!(x >= 0.0)) return 0;
  if (x >= static_cast<double>(max) + 1.0) return max;
  return std::min(static_cast<int64_t>(std::floor(x)), max);
}

std::string Digits7(int64_t n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%07lld", static_cast<long long>(n));
  return buf;
}

}  // namespace

std::string SpeedCode7(float v) { return Digits7(ClampedFloor(static_cast<double>(v) * 100000.0, kMaxCode)); }

std::string PredictedSpeedCode7(float sum) {
  // Eight digits of the millionths, of which the code keeps the first seven.
  return Digits7(ClampedFloor(static_cast<double>(sum) * 1000000.0, 99999999) / 10);
}

std::string CountCode7(int64_t count) { return Digits7(std::clamp<int64_t>(count, 0, kMaxCode)); }

double SpeedFromCode(std::string_view code) { return common::TextValue(code) / 100000.0; }

}  // namespace radadovur::engine
