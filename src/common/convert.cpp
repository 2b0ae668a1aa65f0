#include "common/convert.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace radadovur::common {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of s (from pos) that forms a number; sets has_digits.
size_t ScanNumber(std::string_view s, size_t pos, bool& has_digits) {
  size_t i = pos;
  has_digits = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < s.size() && IsDigit(s[i])) { ++i; has_digits = true; }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) { ++i; has_digits = true; }
  }
  if (has_digits && i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i - pos;
}

double ParseScanned(std::string_view s) {
  std::string t(s);
  for (char& c : t)
    if (c == 'D' || c == 'd') c = 'e';
  return std::strtod(t.c_str(), nullptr);
}

}  // namespace

double TextValue(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool digits = false;
  size_t len = ScanNumber(text, pos, digits);
  if (!digits) return 0.0;
  return ParseScanned(text.substr(pos, len));
}

std::optional<int64_t> FlooredWhole(double x) {
  if (!std::isfinite(x) || std::fabs(x) > 9.2e18) return std::nullopt;
  return static_cast<int64_t>(std::floor(x));
}

std::optional<int64_t> WholeNumber(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  std::string_view core = text.substr(b, e - b);
  bool digits = false;
  size_t len = ScanNumber(core, 0, digits);
  if (!digits || len != core.size()) return std::nullopt;
  double v = ParseScanned(core);
  if (!std::isfinite(v) || std::fabs(v) > 9.2e18) return std::nullopt;
  return static_cast<int64_t>(std::nearbyint(v));  // default rounding: half to even
}

std::string NumberText(double value, Precision precision) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  const int digits = precision == Precision::Single ? 7 : 15;
  if (precision == Precision::Single) value = static_cast<double>(static_cast<float>(value));
  if (value == 0.0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
  // buf: [-]d.dddddde[+-]xx
  std::string s(buf);
  bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  size_t epos = s.find('e');
  int exponent = std::atoi(s.c_str() + epos + 1);
  std::string mantissa = s.substr(0, 1) + s.substr(2, epos - 2);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
  std::string out;
  if (exponent < 0) {
    out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
  } else if (static_cast<size_t>(exponent) + 1 >= mantissa.size()) {
    out = mantissa + std::string(static_cast<size_t>(exponent) + 1 - mantissa.size(), '0');
  } else {
    out = mantissa.substr(0, static_cast<size_t>(exponent) + 1) + "." +
          mantissa.substr(static_cast<size_t>(exponent) + 1);
  }
  return negative ? "-" + out : out;
}

std::string FlooredDecimals(float value, int places) {
  float scale = 1.0f;
  for (int i = 0; i < places && i < 6; ++i) scale *= 10.0f;
  const float product = value * scale;
  return NumberText(std::floor(product) / scale);
}

std::string SignedText(int64_t value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

}  // namespace radadovur::common
