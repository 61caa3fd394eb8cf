// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "player/PlaybackMath.h"

namespace zv {
namespace {

TEST(PlaybackMathTest, VolumePercentToHundredthsOfDecibel) {
  EXPECT_EQ(VolumeLevelFromPercent(0), -10000);
  EXPECT_EQ(VolumeLevelFromPercent(9), -1045);
  EXPECT_EQ(VolumeLevelFromPercent(49), -309);
  EXPECT_EQ(VolumeLevelFromPercent(50), -301);
  EXPECT_EQ(VolumeLevelFromPercent(99), -4);
  EXPECT_EQ(VolumeLevelFromPercent(100), 0);
}

TEST(PlaybackMathTest, LinearVolumeIsSilentAtTheFloor) {
  EXPECT_EQ(LinearVolumeFromLevel(-10000), 0.0);
  EXPECT_EQ(LinearVolumeFromLevel(-20000), 0.0);
  EXPECT_DOUBLE_EQ(LinearVolumeFromLevel(0), 1.0);
  EXPECT_NEAR(LinearVolumeFromLevel(-2000), 0.1, 1e-12);  // -20 dB
  EXPECT_NEAR(LinearVolumeFromLevel(-301), 0.7071, 1e-3);  // -3 dB
}

TEST(PlaybackMathTest, BrightnessTruncatesTowardZeroInSinglePrecision) {
  EXPECT_EQ(BrightnessValueFromOffset(-50), -254);
  EXPECT_EQ(BrightnessValueFromOffset(0), 0);
  EXPECT_EQ(BrightnessValueFromOffset(10), 50);
  EXPECT_EQ(BrightnessValueFromOffset(50), 254);
  EXPECT_EQ(BrightnessValueFromOffset(-1), -5);
}

TEST(PlaybackMathTest, RateIsHeldToHalfAndDouble) {
  EXPECT_EQ(PlayableRate(1.0f), 1.0f);
  EXPECT_EQ(PlayableRate(4.0f), 2.0f);
  EXPECT_EQ(PlayableRate(0.1f), 0.5f);
  EXPECT_EQ(PlayableRate(0.99999994f), 0.99999994f);
  EXPECT_EQ(PlayableRate(1.6f), 1.6f);
}

}  // namespace
}  // namespace zv
