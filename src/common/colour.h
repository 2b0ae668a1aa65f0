#pragma once
#include <cstdint>

// Text colours that stay readable on the windows' fixed back colours. Colours are 0xRRGGBB.
namespace radadovur::common {

// The contrast ratio of two colours (1 to 21), from their relative luminance.
double ContrastRatio(uint32_t a_rgb, uint32_t b_rgb);

// At least this contrast between a text and its background.
inline constexpr double kReadableContrast = 4.5;

// The text colour to draw on `back_rgb`: `fore_rgb` when it contrasts enough; otherwise white on
// a dark back, or on a light one `fore_rgb` darkened until it does, so that a coloured text keeps
// its hue. Black text on dark blue becomes white.
uint32_t ReadableTextColour(uint32_t back_rgb, uint32_t fore_rgb = 0x000000);

}  // namespace radadovur::common
