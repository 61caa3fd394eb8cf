// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sensors/SpeedGaugeDigits.h"

namespace zv {
namespace {

// The digits drawn, as (digit, x), leaving out the points.
std::vector<std::pair<int, int>> Digits(double speed) {
  std::vector<std::pair<int, int>> digits;
  for (const SpeedGlyph& g : SpeedGaugeGlyphs(speed))
    if (g.imageId != kSpeedPointImage) digits.push_back({g.imageId - kSpeedDigitImage0, g.x});
  return digits;
}

using D = std::vector<std::pair<int, int>>;

TEST(SpeedGaugeDigitsTest, BelowOneKmhShowsZeroPointTenthTruncated) {
  EXPECT_EQ(Digits(0.0), (D{{0, 44}, {0, 60}}));
  EXPECT_EQ(Digits(0.04), (D{{0, 44}, {0, 60}}));
  EXPECT_EQ(Digits(0.99), (D{{0, 44}, {9, 60}}));
}

TEST(SpeedGaugeDigitsTest, FourCharacterWalkSuppressesLeadingZerosOnly) {
  EXPECT_EQ(Digits(1.0), (D{{1, 44}, {0, 60}}));
  EXPECT_EQ(Digits(7.5), (D{{7, 44}, {5, 60}}));
  EXPECT_EQ(Digits(60.5), (D{{6, 32}, {0, 44}, {5, 60}}));
  EXPECT_EQ(Digits(100.0), (D{{1, 20}, {0, 32}, {0, 44}, {0, 60}}));
  EXPECT_EQ(Digits(123.4), (D{{1, 20}, {2, 32}, {3, 44}, {4, 60}}));
  EXPECT_EQ(Digits(999.9), (D{{9, 20}, {9, 32}, {9, 44}, {9, 60}}));
}

TEST(SpeedGaugeDigitsTest, EveryDigitIsFollowedByThePoint) {
  const auto glyphs = SpeedGaugeGlyphs(60.5);
  ASSERT_EQ(glyphs.size(), 6u);
  for (size_t i = 1; i < glyphs.size(); i += 2)
    EXPECT_EQ(glyphs[i], (SpeedGlyph{kSpeedPointImage, 55}));
  EXPECT_EQ(glyphs[0], (SpeedGlyph{kSpeedDigitImage0 + 6, 32}));
}

TEST(SpeedGaugeDigitsTest, NegativeHugeAndNotANumber) {
  // A negative speed shows only the 0 and the point.
  EXPECT_EQ(SpeedGaugeGlyphs(-3.0),
            (std::vector<SpeedGlyph>{{kSpeedDigitImage0, 44}, {kSpeedPointImage, 55}}));
  // Five digits or more: only the first four characters are drawn.
  EXPECT_EQ(Digits(1234.5), (D{{1, 20}, {2, 32}, {3, 44}, {4, 60}}));
  EXPECT_EQ(Digits(1e300).size(), 4u);
  EXPECT_EQ(Digits(std::numeric_limits<double>::quiet_NaN()), (D{{0, 44}, {0, 60}}));
}

}  // namespace
}  // namespace zv
