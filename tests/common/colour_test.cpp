#include "common/colour.h"

#include <gtest/gtest.h>

namespace radadovur::common {
namespace {

// The windows' fixed back colours with the text colours drawn on them.
TEST(ReadableTextColourTest, TextOnTheWindowsColoursContrastsEnough) {
  struct Case {
    uint32_t back, fore, expected;  // expected 0xFFFFFFFF: any colour that reads
  };
  const Case cases[] = {
      {0x0000FF, 0x000000, 0xFFFFFF},    // black on the rank "04" blue turns white
      {0x000080, 0x000000, 0xFFFFFF},    // dark blue
      {0xFFFFFF, 0x000000, 0x000000},    // black on white stays
      {0xFFFF00, 0x000000, 0x000000},    // yellow
      {0x00FFFF, 0x000000, 0x000000},    // cyan
      {0x00FF00, 0x000000, 0x000000},    // green
      {0xFF00FF, 0x000000, 0x000000},    // magenta
      {0xFF0000, 0x000000, 0x000000},    // red
      {0xFFFFFF, 0x000080, 0x000080},    // dark blue text on white stays
      {0xFFFFFF, 0xFF0000, 0xFFFFFFFF},  // red text on white is darkened, still red
      {0xFFFF00, 0xFF0000, 0xFFFFFFFF},  // red text on yellow
      {0x0000FF, 0x0000FF, 0xFFFFFFFF},  // a text as blue as its back
  };
  for (const Case& c : cases) {
    const uint32_t fore = ReadableTextColour(c.back, c.fore);
    EXPECT_GE(ContrastRatio(c.back, fore), kReadableContrast) << std::hex << c.back << " " << c.fore;
    if (c.expected != 0xFFFFFFFF) {
      EXPECT_EQ(fore, c.expected) << std::hex << c.back << " " << c.fore;
    }
  }
  // A darkened red keeps its hue.
  const uint32_t red = ReadableTextColour(0xFFFFFF, 0xFF0000);
  EXPECT_GT(red >> 16, 0x80u);
  EXPECT_EQ(red & 0xFFFF, 0u);
}

TEST(ContrastRatioTest, KnownValues) {
  EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(0xFFFFFF, 0xFFFFFF), 1.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(0x0000FF, 0x000000), 2.44, 0.01);
}

}  // namespace
}  // namespace radadovur::common
