#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The two ways a text becomes a number, and the way a number becomes a text.
namespace radadovur::common {

// "Value": leading blanks skipped; reads an optional sign, digits, a decimal point and an
// exponent as far as they continue a number; no digits give 0. Never fails.
double TextValue(std::string_view text);

// "Whole number": the whole text (blanks around it allowed) must be a number, else nullopt;
// a fraction goes to the nearest integer, a half to the even one.
std::optional<int64_t> WholeNumber(std::string_view text);

// floor(x) as a whole number; nullopt for NaN, an infinity or a value beyond ±9.2e18 (which no
// integer type holds safely).
std::optional<int64_t> FlooredWhole(double x);

enum class Precision { Single, Double };

// Shortest decimal text: minus sign for negatives, a 0 before the point, no exponent, no
// trailing zeros, at most 7 (single) or 15 (double) significant digits.
std::string NumberText(double value, Precision precision = Precision::Double);
inline std::string NumberText(float value) { return NumberText(static_cast<double>(value), Precision::Single); }

// A single-precision value cut to `places` decimals (0 to 6): the value times 10^places in single
// precision, cut toward minus infinity, over 10^places, shown as a single-precision number. The
// product is taken in single precision on purpose: 0.7f (0.69999998...) stays 0.7.
std::string FlooredDecimals(float value, int places);
inline std::string ThreeDecimals(float value) { return FlooredDecimals(value, 3); }

// A whole number with a leading sign position: " 12" for 12, "-3" for -3.
std::string SignedText(int64_t value);

}  // namespace radadovur::common
