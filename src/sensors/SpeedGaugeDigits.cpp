// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/SpeedGaugeDigits.h"

#include <cmath>
#include <climits>
#include <cstdio>

namespace zv {

namespace {

constexpr int kPointX = 55;
// x of the digit for the places 1000, 100, 10 and 1 (tenths of km/h).
constexpr int kPlaceX[4] = {20, 32, 44, 60};

// Speed in tenths of km/h, truncated toward zero and held inside int.
int TenthsOf(double speedKmh) {
  const double tenths = speedKmh * 10;
  if (std::isnan(tenths)) return 0;
  if (tenths >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (tenths <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(tenths);
}

void AddDigit(std::vector<SpeedGlyph>& glyphs, int digit, int x) {
  glyphs.push_back({kSpeedDigitImage0 + digit, x});
  glyphs.push_back({kSpeedPointImage, kPointX});
}

}  // namespace

std::vector<SpeedGlyph> SpeedGaugeGlyphs(double speedKmh) {
  std::vector<SpeedGlyph> glyphs;
  const int t = TenthsOf(speedKmh);
  if (t < 10) {
    AddDigit(glyphs, 0, kPlaceX[2]);
    if (t >= 0) AddDigit(glyphs, t, kPlaceX[3]);
    return glyphs;
  }
  char text[16];
  std::snprintf(text, sizeof text, "%4d", t);
  bool drawnNonZero = false;
  for (int i = 0; i < 4; ++i) {
    const int digit = text[i] == ' ' ? 0 : text[i] - '0';
    if (digit == 0 && !drawnNonZero) continue;
    drawnNonZero = true;
    AddDigit(glyphs, digit, kPlaceX[i]);
  }
  return glyphs;
}

}  // namespace zv
