// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace zv {

// Pictures of the speed gauge.
constexpr int kSpeedBackgroundImage = 20011;  // 124 x 38
constexpr int kSpeedPointImage = 20012;       // 6 x 18
constexpr int kSpeedDigitImage0 = 20014;      // digit d is kSpeedDigitImage0 + d, 10 x 18
constexpr int kSpeedGlyphTop = 11;

// One overlay picture of the gauge and the x of its left edge.
struct SpeedGlyph {
  int imageId = 0;
  int x = 0;
  bool operator==(const SpeedGlyph&) const = default;
};

// The overlays for a speed in km/h, in drawing order. The speed is shown in
// tenths, truncated: at least one digit before the point and exactly one
// after it, leading zeros left out. The point is drawn again after each
// digit, as the gauge always has. Speeds that are not a number show 0.0.
std::vector<SpeedGlyph> SpeedGaugeGlyphs(double speedKmh);

}  // namespace zv
