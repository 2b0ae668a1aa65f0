#include "common/colour.h"

#include <cmath>
#include <initializer_list>

namespace radadovur::common {
namespace {

double Channel(uint32_t value) {
  const double c = static_cast<double>(value & 0xFF) / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t rgb) {
  return 0.2126 * Channel(rgb >> 16) + 0.7152 * Channel(rgb >> 8) + 0.0722 * Channel(rgb);
}

// `rgb` moved `step` of `steps` of the way to `to`.
uint32_t Towards(uint32_t rgb, uint32_t to, int step, int steps) {
  uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const int from = static_cast<int>((rgb >> shift) & 0xFF);
    const int target = static_cast<int>((to >> shift) & 0xFF);
    const int mixed = from + (target - from) * step / steps;
    out |= static_cast<uint32_t>(mixed) << shift;
  }
  return out;
}

}  // namespace

double ContrastRatio(uint32_t a_rgb, uint32_t b_rgb) {
  const double a = Luminance(a_rgb);
  const double b = Luminance(b_rgb);
  return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}

uint32_t ReadableTextColour(uint32_t back_rgb, uint32_t fore_rgb) {
  back_rgb &= 0xFFFFFF;
  fore_rgb &= 0xFFFFFF;
  if (ContrastRatio(back_rgb, fore_rgb) >= kReadableContrast) return fore_rgb;
  // Black or white, whichever contrasts more with the back, always reaches 4.5.
  const uint32_t end = ContrastRatio(back_rgb, 0x000000) >= ContrastRatio(back_rgb, 0xFFFFFF) ? 0x000000 : 0xFFFFFF;
  if (end == 0xFFFFFF) return end;  // on a dark back: white, as the eye expects
  constexpr int kSteps = 32;
  for (int step = 1; step < kSteps; ++step) {
    const uint32_t moved = Towards(fore_rgb, end, step, kSteps);
    if (ContrastRatio(back_rgb, moved) >= kReadableContrast) return moved;
  }
  return end;
}

}  // namespace radadovur::common
