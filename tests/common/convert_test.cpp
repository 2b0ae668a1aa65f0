#include "common/convert.h"

#include <gtest/gtest.h>

#include <optional>

namespace radadovur {
namespace {

TEST(TextValue, ReadsAsFarAsANumberGoes) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"0550", 550},   {"  12abc", 12}, {"", 0},       {"abc", 0},    {"   ", 0},
      {"-3.5x", -3.5}, {" +7", 7},      {"1.5E2", 150}, {"1e", 1},    {".5", 0.5},
      {"12 34", 12},   {"-", 0},        {"3.", 3},      {"2D1", 20},  {"00000000", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(common::TextValue(c.text), c.value) << "[" << c.text << "]";
}

TEST(WholeNumber, WholeTextMustBeANumberHalfGoesToEven) {
  struct Case {
    const char* text;
    std::optional<int64_t> value;
  } cases[] = {
      {"12", 12},  {" 12 ", 12},        {"007", 7},          {"2.5", 2},          {"3.5", 4},
      {"-2.5", -2}, {"2.6", 3},         {"", std::nullopt},  {"   ", std::nullopt}, {"12a", std::nullopt},
      {"1 2", std::nullopt}, {"--1", std::nullopt}, {"-", std::nullopt}, {"99999999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(common::WholeNumber(c.text), c.value) << "[" << c.text << "]";
}

TEST(NumberText, ShortestDecimalWithoutExponent) {
  struct Case {
    double value;
    common::Precision precision;
    const char* text;
  } cases[] = {
      {12.3, common::Precision::Double, "12.3"},
      {5, common::Precision::Double, "5"},
      {0, common::Precision::Double, "0"},
      {-0.0, common::Precision::Double, "0"},
      {0.5, common::Precision::Double, "0.5"},
      {-0.25, common::Precision::Double, "-0.25"},
      {0.1 + 0.2, common::Precision::Double, "0.3"},
      {1.0 / 3.0, common::Precision::Double, "0.333333333333333"},
      {1.0 / 3.0, common::Precision::Single, "0.3333333"},
      {1e20, common::Precision::Double, "100000000000000000000"},
      {1e-5, common::Precision::Double, "0.00001"},
      {123456789.0, common::Precision::Single, "123456800"},
      {61.23456789, common::Precision::Single, "61.23457"},
      {0.1f, common::Precision::Single, "0.1"},
      {-1234.5, common::Precision::Double, "-1234.5"},
  };
  for (const auto& c : cases) EXPECT_EQ(common::NumberText(c.value, c.precision), c.text) << c.value;
  EXPECT_EQ(common::NumberText(0.1f), "0.1");
}

TEST(FlooredDecimals, TheSingleProductCutTowardMinusInfinity) {
  struct Case {
    float value;
    int places;
    const char* text;
  } cases[] = {
      // Values that single precision stores a hair off keep their decimals.
      {-0.1f, 3, "-0.1"},
      {-0.05f, 3, "-0.05"},
      {0.7f, 3, "0.7"},
      {55.391f, 3, "55.391"},
      {-0.3f, 3, "-0.3"},
      {61.1f, 3, "61.1"},
      {-0.001f, 3, "-0.001"},
      // Cut toward minus infinity, not toward zero.
      {57.12345f, 3, "57.123"},
      {1.2345f, 3, "1.234"},
      {-1.2345f, 3, "-1.235"},
      {-0.0004f, 3, "-0.001"},
      {0.0004f, 3, "0"},
      {0.5f, 3, "0.5"},
      {2.0f, 3, "2"},
      {-20.5f, 3, "-20.5"},
      {0.0f, 3, "0"},
      {-0.00005f, 4, "-0.0001"},
      {0.00009f, 4, "0"},
      {1.23456f, 4, "1.2345"},
      {-2.5f, 4, "-2.5"},
  };
  for (const auto& c : cases) EXPECT_EQ(common::FlooredDecimals(c.value, c.places), c.text) << c.value << "/" << c.places;
  EXPECT_EQ(common::ThreeDecimals(55.391f), "55.391");
}

TEST(SignedText, KeepsASignPosition) {
  EXPECT_EQ(common::SignedText(0), " 0");
  EXPECT_EQ(common::SignedText(1234), " 1234");
  EXPECT_EQ(common::SignedText(-3), "-3");
}

}  // namespace
}  // namespace radadovur
