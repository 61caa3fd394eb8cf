// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

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

TEST(PlaybackMathTest, DecoderThreadsShareTheProcessorsByPictureSize) {
  const double fullHd = 1920.0 * 1080, hd = 1280.0 * 720, uhd = 3840.0 * 2160;
  // Two processors, full HD and HD: one thread each, never the two-to-one
  // oversubscription of a frame thread per processor in each decoder.
  EXPECT_EQ(ShareDecoderThreads(2, {fullHd, hd}), (std::vector<unsigned>{1, 1}));
  // More processors go mostly to the larger picture, in either channel.
  EXPECT_EQ(ShareDecoderThreads(8, {fullHd, hd}), (std::vector<unsigned>{6, 2}));
  EXPECT_EQ(ShareDecoderThreads(8, {hd, fullHd}), (std::vector<unsigned>{2, 6}));
  // A picture far larger than the other keeps a second thread.
  EXPECT_EQ(ShareDecoderThreads(2, {uhd, hd}), (std::vector<unsigned>{2, 1}));
  // A size the stream does not tell counts as the other's; every decoder
  // gets a thread even with fewer processors than channels.
  EXPECT_EQ(ShareDecoderThreads(4, {0, fullHd}), (std::vector<unsigned>{2, 2}));
  EXPECT_EQ(ShareDecoderThreads(6, {0, 0}), (std::vector<unsigned>{3, 3}));
  EXPECT_EQ(ShareDecoderThreads(1, {fullHd, hd}), (std::vector<unsigned>{1, 1}));
  EXPECT_EQ(ShareDecoderThreads(12, {fullHd}), (std::vector<unsigned>{12}));
}

}  // namespace
}  // namespace zv
