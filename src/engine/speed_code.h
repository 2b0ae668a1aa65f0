#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The 7-character codes of the expanded record's SpeedCodes: speeds in km/h × 100000 and sample
// counts, seven digits with leading zeros. A code holds 0 up to 99.99999 km/h (0 to 9999999);
// a value outside is clamped into that range rather than wrapped, so a negative speed never
// reads back as a fast one.
namespace radadovur::engine {

// An observed speed: Int(v × 100000) in double, as seven digits.
std::string SpeedCode7(float v);

// A predicted speed: the first seven of the eight digits of Int(sum × 1000000), in double.
std::string PredictedSpeedCode7(float sum);

// A sample count as seven digits.
std::string CountCode7(int64_t count);

// A speed code read back in km/h: its value / 100000; blanks or zero bytes give 0.
double SpeedFromCode(std::string_view code);

}  // namespace radadovur::engine
