#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "engine/speed_code.h"

namespace radadovur::engine {
namespace {

TEST(SpeedCodes, SevenDigitsClampedIntoTheirRange) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float v;
    std::string observed, predicted;
  } cases[] = {
      {21600.0f / 345.0f, "6260869", "6260869"},  // 62.608696
      {62.5f, "6250000", "6250000"},
      {62.6f, "6259999", "6259999"},  // held as 62.599998
      {5.0f, "0500000", "0500000"},
      {0.0f, "0000000", "0000000"},
      {99.99999f, "9999999", "9999999"},
      // Out of range: clamped, not wrapped (wrapped, -5 would read back as 95 km/h).
      {-5.0f, "0000000", "0000000"},
      {-0.000001f, "0000000", "0000000"},
      {100.0f, "9999999", "9999999"},
      {115.2f, "9999999", "9999999"},
      {1e30f, "9999999", "9999999"},
      {nan, "0000000", "0000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SpeedCode7(c.v), c.observed) << c.v;
    EXPECT_EQ(PredictedSpeedCode7(c.v), c.predicted) << c.v;
  }
}

TEST(SpeedCodes, CountsAndReadingBack) {
  EXPECT_EQ(CountCode7(123), "0000123");
  EXPECT_EQ(CountCode7(0), "0000000");
  EXPECT_EQ(CountCode7(9999999), "9999999");
  EXPECT_EQ(CountCode7(10000000), "9999999");  // wrapped it would read 0000000
  EXPECT_EQ(CountCode7(-3), "0000000");

  EXPECT_DOUBLE_EQ(SpeedFromCode("6260869"), 62.60869);
  EXPECT_DOUBLE_EQ(SpeedFromCode("0000000"), 0.0);
  EXPECT_DOUBLE_EQ(SpeedFromCode("       "), 0.0);
  EXPECT_DOUBLE_EQ(SpeedFromCode(std::string(7, '\0')), 0.0);  // a run pass 1 never coded
}

}  // namespace
}  // namespace radadovur::engine
