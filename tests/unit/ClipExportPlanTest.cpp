// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "output/ClipExportPlan.h"
#include "reader/Recording.h"

namespace zv {
namespace {

// Three seconds at 10 frames a second, a key frame every second.
VideoStream Stream(uint32_t width, uint32_t height, size_t frames = 30) {
  VideoStream stream;
  stream.width = width, stream.height = height, stream.rate = 10, stream.scale = 1;
  for (size_t i = 0; i < frames; ++i)
    stream.chunks.push_back({0, 100, i * 100'000'000, 100'000'000, i % 10 == 0});
  return stream;
}

Recording TwoChannels(AudioCodec codec) {
  Recording recording;
  recording.video = {Stream(1920, 1080), Stream(1280, 720)};
  recording.audio = AudioStream{};
  recording.audio->codec = codec;
  recording.durationNs = 3'000'000'000;
  return recording;
}

TEST(ClipExportPlanTest, OneChannelIsCopiedFromAKeyFrameAnythingElseEncodedFromTheFrameAskedFor) {
  ClipExportPlan plan;
  std::string error;
  ASSERT_TRUE(ClipExportPlan::Make(TwoChannels(AudioCodec::Aac), {1450, 2000, ClipChannels::Rear, true, false}, plan, error));
  EXPECT_EQ(plan.video, ClipExportPlan::Video::Copy);
  EXPECT_EQ(plan.audio, ClipExportPlan::Audio::CopyAac);
  EXPECT_EQ(plan.startNs, 1'000'000'000u);  // the key frame before 1.45 s
  EXPECT_EQ(plan.stopNs, 2'000'000'000u);
  EXPECT_EQ(plan.frames, 10);
  EXPECT_EQ(plan.width, 1280);

  ASSERT_TRUE(ClipExportPlan::Make(TwoChannels(AudioCodec::Aac), {1450, 9000, ClipChannels::SideBySide, true, false},
                                   plan, error));
  EXPECT_EQ(plan.video, ClipExportPlan::Video::Encode);
  EXPECT_EQ(plan.audio, ClipExportPlan::Audio::Encode);
  EXPECT_EQ(plan.startNs, 1'500'000'000u);  // the first whole frame from 1.45 s
  EXPECT_EQ(plan.stopNs, 3'000'000'000u);   // held to the recording
  EXPECT_EQ(plan.frames, 15);
  EXPECT_EQ(plan.rearWidth, 1920);  // 1280 x 720 scaled to 1080 high
  EXPECT_EQ(plan.width, 3840);
  EXPECT_EQ(plan.height, 1080);

  // PCM sound is always encoded; burned-in data makes a front clip encoded too.
  ASSERT_TRUE(ClipExportPlan::Make(TwoChannels(AudioCodec::Pcm), {0, 500, ClipChannels::Front, true, true}, plan, error));
  EXPECT_EQ(plan.video, ClipExportPlan::Video::Encode);
  EXPECT_EQ(plan.audio, ClipExportPlan::Audio::Encode);
  ASSERT_TRUE(ClipExportPlan::Make(TwoChannels(AudioCodec::Pcm), {0, 500, ClipChannels::Front, false, false}, plan, error));
  EXPECT_EQ(plan.audio, ClipExportPlan::Audio::None);
}

TEST(ClipExportPlanTest, OnlyH264IsCopied) {
  ClipExportPlan plan;
  std::string error;
  Recording mjpeg = TwoChannels(AudioCodec::Aac);
  mjpeg.video[1].codec = VideoCodec::Mjpeg;
  ASSERT_TRUE(ClipExportPlan::Make(mjpeg, {0, 1000, ClipChannels::Front, true, false}, plan, error));
  EXPECT_EQ(plan.video, ClipExportPlan::Video::Copy);
  ASSERT_TRUE(ClipExportPlan::Make(mjpeg, {1450, 2000, ClipChannels::Rear, true, false}, plan, error));
  EXPECT_EQ(plan.video, ClipExportPlan::Video::Encode);
  EXPECT_EQ(plan.startNs, 1'500'000'000u);  // encoded: from the frame asked for
}

TEST(ClipExportPlanTest, NoFrameInTheRangeOrNoRearChannelIsAnError) {
  ClipExportPlan plan;
  std::string error;
  EXPECT_FALSE(ClipExportPlan::Make(TwoChannels(AudioCodec::Aac), {1510, 1590, ClipChannels::SideBySide, true, false},
                                    plan, error));
  EXPECT_EQ(error, "the range holds no whole frame");
  Recording front = TwoChannels(AudioCodec::Aac);
  front.video.pop_back();
  EXPECT_FALSE(ClipExportPlan::Make(front, {0, 1000, ClipChannels::Rear, true, false}, plan, error));
  EXPECT_EQ(error, "the recording has no rear channel");
}

}  // namespace
}  // namespace zv
