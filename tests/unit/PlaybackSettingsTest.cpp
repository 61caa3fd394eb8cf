// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/PlaybackSettings.h"

namespace zv {
namespace {

TEST(PlaybackSettingsTest, VolumeLevelsMapToPercentBelowTheTop) {
  EXPECT_EQ(VolumePercentFromLevel(0), 0);
  EXPECT_EQ(VolumePercentFromLevel(1), 9);
  EXPECT_EQ(VolumePercentFromLevel(5), 49);
  EXPECT_EQ(VolumePercentFromLevel(10), 99);
  EXPECT_EQ(VolumePercentFromLevel(11), 99);
}

TEST(PlaybackSettingsTest, SpeedSliderRateIsSinglePrecision) {
  EXPECT_EQ(RateFromSpeedSlider(50), 0.99999994f);
  EXPECT_NE(RateFromSpeedSlider(50), 1.0f);
  EXPECT_FLOAT_EQ(RateFromSpeedSlider(0), 0.1f);
  EXPECT_FLOAT_EQ(RateFromSpeedSlider(60), 1.6f);
  EXPECT_FLOAT_EQ(RateFromSpeedSlider(100), 4.0f);
  EXPECT_FLOAT_EQ(RateFromSpeedSlider(40), 0.82f);
}

}  // namespace
}  // namespace zv
