// SPDX-License-Identifier: GPL-3.0-or-later
#include <gst/gst.h>
#include <gst/video/video.h>
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "FrameCode.h"
#include "ParseFilterHarness.h"
#include "RecordingFixtures.h"
#include "player/SensorStreamSource.h"
#include "reader/RecordingReader.h"

namespace zv::test {
namespace {

int64_t FrameTime(int64_t frame) { return frame * 1000000000ll / 30; }

// Front frames from `first` on that hold data (ffmpeg leaves some empty),
// as the reader sees them.
int DecodableFrontFrames(const std::string& path, size_t first = 0) {
  RecordingReader reader;
  if (!reader.Open(path)) return -1;
  const auto& chunks = reader.recording().video[0].chunks;
  int count = 0;
  for (size_t i = first; i < chunks.size(); ++i) count += chunks[i].size > 0;
  return count;
}

std::string CapsField(GstCaps* caps, const char* field) {
  const GValue* v = gst_structure_get_value(gst_caps_get_structure(caps, 0), field);
  if (!v) return "";
  gchar* text = gst_value_serialize(v);
  std::string s = text ? text : "";
  g_free(text);
  return s;
}

// The frame number that zv-mkrec drew into a decoded BGRx picture.
int FrameNumberOf(GstSample* sample) {
  if (!sample) return -1;
  GstVideoInfo info;
  if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) return -1;
  GstVideoFrame frame;
  if (!gst_video_frame_map(&frame, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) return -1;
  QImage picture(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                 GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info),
                 GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0), QImage::Format_RGB32);
  FrameCodeReading reading = ReadFrameCode(picture.copy());
  gst_video_frame_unmap(&frame);
  return reading.found ? reading.frame : -1;
}

std::string MediaOf(GstCaps* caps) { return gst_structure_get_name(gst_caps_get_structure(caps, 0)); }

class ParseFilterElementTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/zv-parse-filter-XXXXXX";
    folder_ = mkdtemp(pattern);
    twoChannel_ = MakeGeneratedRecording(folder_, "two.avi",
                                         "--front 320x180 --rear 160x90 --seconds 4");
    oneChannelPcm_ = MakeGeneratedRecording(folder_, "pcm.avi",
                                            "--front 320x180 --rear none --audio pcm --seconds 2");
    noAudio_ = MakeGeneratedRecording(folder_, "silent.avi",
                                      "--front 320x180 --rear 160x90 --audio none --seconds 2");
    injected_ = MakeRecording(folder_, "injected.avi", FixtureOptions{});
    FixtureOptions ordinary;
    ordinary.sensorRecords = false;
    ordinary.seconds = 2;
    ordinary_ = MakeRecording(folder_, "ordinary.avi", ordinary);
  }
  static void TearDownTestSuite() { RunCommand("rm -rf '" + folder_ + "'"); }

  static std::string folder_;
  // Written by zv-mkrec.
  static std::string twoChannel_, oneChannelPcm_, noAudio_;
  // Written by ffmpeg: with records put in by the test, and as it is.
  static Fixture injected_, ordinary_;
};

std::string ParseFilterElementTest::folder_;
std::string ParseFilterElementTest::twoChannel_, ParseFilterElementTest::oneChannelPcm_,
    ParseFilterElementTest::noAudio_;
Fixture ParseFilterElementTest::injected_, ParseFilterElementTest::ordinary_;

TEST_F(ParseFilterElementTest, LoadRefusesWhatIsNotARecording) {
  std::string empty = folder_ + "/empty.avi", text = folder_ + "/text.avi";
  std::ofstream(empty).close();
  std::ofstream(text) << "RIFX this is not a recording at all, only some text";
  std::string audioOnly = folder_ + "/audio-only.avi";
  ASSERT_TRUE(RunCommand("ffmpeg -nostdin -y -loglevel error -f lavfi -i sine -t 1 -c:a aac '" +
                         audioOnly + "'"));
  for (const std::string& path : {folder_ + "/missing.avi", empty, text, audioOnly, folder_}) {
    ParseFilterHarness h;
    EXPECT_LT(h.Load(path), 0) << path;
    EXPECT_TRUE(h.PadNames().empty()) << path;
    uint8_t buffer[kSensorRecordBufferSize] = {};
    uint32_t length = kSensorRecordBufferSize, timeMs = 0;
    EXPECT_EQ(h.ReadRecord(buffer, &length, &timeMs), kReadRecordEnd);
    // Without a recording the element does not start.
    EXPECT_FALSE(h.SetState(GST_STATE_PAUSED, 2)) << path;
  }
  ParseFilterHarness missing;
  EXPECT_EQ(missing.Load(folder_ + "/missing.avi"), static_cast<int32_t>(0x80070002));
}

TEST_F(ParseFilterElementTest, TwoChannelAacRecordingOffersItsStreams) {
  ASSERT_FALSE(twoChannel_.empty());
  ParseFilterHarness h;
  ASSERT_EQ(h.Load(twoChannel_), 0);
  EXPECT_EQ(h.PadNames(), (std::vector<std::string>{"Video1", "Video2", "Audio"}));
  GstCaps* front = h.QueryCaps("Video1");
  EXPECT_EQ(MediaOf(front), "video/x-h264");
  EXPECT_EQ(CapsField(front, "stream-format"), "byte-stream");
  EXPECT_EQ(CapsField(front, "alignment"), "au");
  EXPECT_EQ(CapsField(front, "width"), "320");
  EXPECT_EQ(CapsField(front, "height"), "180");
  EXPECT_EQ(CapsField(front, "framerate"), "30/1");
  GstCaps* rear = h.QueryCaps("Video2");
  EXPECT_EQ(CapsField(rear, "width"), "160");
  EXPECT_EQ(CapsField(rear, "height"), "90");
  GstCaps* audio = h.QueryCaps("Audio");
  EXPECT_EQ(MediaOf(audio), "audio/mpeg");
  EXPECT_EQ(CapsField(audio, "mpegversion"), "4");
  EXPECT_EQ(CapsField(audio, "stream-format"), "raw");
  EXPECT_EQ(CapsField(audio, "rate"), "16000");
  EXPECT_EQ(CapsField(audio, "channels"), "1");
  EXPECT_FALSE(CapsField(audio, "codec_data").empty());
  for (GstCaps* c : {front, rear, audio}) gst_caps_unref(c);
  // The duration is known right after the load: front chunks x frame time.
  EXPECT_EQ(h.QueryDuration(), FrameTime(120));
  // A second file on the same element is refused and changes nothing.
  EXPECT_LT(h.Load(noAudio_), 0);
  EXPECT_EQ(h.PadNames().size(), 3u);
}

TEST_F(ParseFilterElementTest, PadsFollowTheChannelsAndTheAudioFormat) {
  ParseFilterHarness pcm;
  ASSERT_EQ(pcm.Load(oneChannelPcm_), 0);
  EXPECT_EQ(pcm.PadNames(), (std::vector<std::string>{"Video1", "Audio"}));
  GstCaps* caps = pcm.QueryCaps("Audio");
  EXPECT_EQ(MediaOf(caps), "audio/x-raw");
  EXPECT_EQ(CapsField(caps, "format"), "S16LE");
  EXPECT_EQ(CapsField(caps, "layout"), "interleaved");
  EXPECT_EQ(CapsField(caps, "rate"), "16000");
  EXPECT_EQ(CapsField(caps, "channels"), "1");
  gst_caps_unref(caps);

  ParseFilterHarness silent;
  ASSERT_EQ(silent.Load(noAudio_), 0);
  EXPECT_EQ(silent.PadNames(), (std::vector<std::string>{"Video1", "Video2"}));
}

TEST_F(ParseFilterElementTest, ReadRecordYieldsEveryRecordInFileOrder) {
  ParseFilterHarness h;
  ASSERT_EQ(h.Load(injected_.path), 0);
  std::vector<PulledRecord> pulled = h.ReadAllRecords();
  ASSERT_EQ(pulled.size(), injected_.records.size());
  ASSERT_GT(pulled.size(), 40u);
  for (size_t i = 0; i < pulled.size(); ++i) {
    EXPECT_EQ(pulled[i].timeMs, injected_.records[i].timeMs) << i;
    EXPECT_EQ(pulled[i].bytes, injected_.records[i].bytes) << i;
  }
  uint8_t buffer[kSensorRecordBufferSize] = {};
  uint32_t length = kSensorRecordBufferSize, timeMs = 7;
  EXPECT_EQ(h.ReadRecord(buffer, &length, &timeMs), kReadRecordEnd);
  EXPECT_EQ(h.ReadRecord(buffer, &length, &timeMs), kReadRecordEnd);
}

TEST_F(ParseFilterElementTest, ReadRecordCutsARecordAtTheGivenLength) {
  ParseFilterHarness h;
  ASSERT_EQ(h.Load(injected_.path), 0);
  const std::string& gps = injected_.records[1].bytes;  // the fix at 0 ms
  ASSERT_EQ(gps[0], 'G');
  uint8_t buffer[64];
  std::fill(std::begin(buffer), std::end(buffer), 0xAA);
  uint32_t length = 2, timeMs = 0;
  ASSERT_EQ(h.ReadRecord(buffer, &length, &timeMs), kReadRecordOk);  // 'M' record, 4 bytes
  EXPECT_EQ(length, 2u);
  EXPECT_EQ(buffer[2], 0xAA);  // nothing written past the length
  length = 10;
  ASSERT_EQ(h.ReadRecord(buffer, &length, &timeMs), kReadRecordOk);
  EXPECT_EQ(length, 10u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 10), gps.substr(0, 10));
  EXPECT_EQ(buffer[10], 0xAA);
  EXPECT_EQ(timeMs, 0u);
}

TEST_F(ParseFilterElementTest, ReadRecordEndsAtOnceForAnOrdinaryAvi) {
  ParseFilterHarness h;
  ASSERT_EQ(h.Load(ordinary_.path), 0);
  EXPECT_EQ(h.PadNames(), (std::vector<std::string>{"Video1", "Video2", "Audio"}));
  EXPECT_TRUE(h.ReadAllRecords().empty());
}

TEST_F(ParseFilterElementTest, PlaysEveryStreamToTheEnd) {
  for (const std::string& path : {twoChannel_, oneChannelPcm_, noAudio_, ordinary_.path}) {
    ParseFilterHarness h;
    ASSERT_EQ(h.Load(path), 0);
    ASSERT_TRUE(h.LinkDecoders());
    ASSERT_TRUE(h.SetState(GST_STATE_PLAYING));
    std::string error;
    EXPECT_TRUE(h.WaitForEos(30, &error)) << path << ": " << error;
    std::vector<int> counts = h.BufferCounts();
    EXPECT_EQ(counts[0], DecodableFrontFrames(path)) << path;
    for (int c : counts) EXPECT_GT(c, 10) << path;
    EXPECT_EQ(h.FirstTimestamps()[0], 0);
  }
}

TEST_F(ParseFilterElementTest, SeekLandsOnTheFrameItNames) {
  ParseFilterHarness h;
  ASSERT_EQ(h.Load(twoChannel_), 0);
  ASSERT_TRUE(h.LinkDecoders());
  ASSERT_TRUE(h.SetState(GST_STATE_PAUSED));
  EXPECT_EQ(h.QueryDuration(true), FrameTime(120));
  struct Case {
    int frame;
    int64_t extraNs;
    GstSeekFlags flags;
  };
  // Frames between key frames (30, 60, 90), on a key frame, inside a frame,
  // accurate or not, forwards and back.
  for (Case c : {Case{75, 0, GST_SEEK_FLAG_ACCURATE}, Case{44, FrameTime(1) / 2, GST_SEEK_FLAG_NONE},
                 Case{60, 0, GST_SEEK_FLAG_NONE}, Case{3, 1, GST_SEEK_FLAG_ACCURATE},
                 Case{119, 0, GST_SEEK_FLAG_KEY_UNIT}}) {
    h.ResetCounts();
    int64_t target = FrameTime(c.frame) + c.extraNs;
    ASSERT_TRUE(h.Seek(target, c.flags)) << c.frame;
    ASSERT_TRUE(h.SetState(GST_STATE_PAUSED)) << c.frame;
    // The first picture shown is the frame that holds the target (the
    // decoder clips its start to the segment); the frames before it, decoded
    // from the key frame on, are dropped.
    std::vector<int64_t> first = h.FirstTimestamps();
    EXPECT_EQ(first[0], target) << c.frame;  // front
    EXPECT_EQ(first[1], target) << c.frame;  // rear
    std::vector<GstSample*> pictures = h.FirstVideoSamples();
    EXPECT_EQ(FrameNumberOf(pictures[0]), c.frame);
    EXPECT_EQ(FrameNumberOf(pictures[1]), c.frame);
  }
  // From the last seek, playing on reaches the end.
  ASSERT_TRUE(h.SetState(GST_STATE_PLAYING));
  EXPECT_TRUE(h.WaitForEos(30));
  EXPECT_EQ(h.BufferCounts()[0], 1);
  // Back to NULL and once more from the start.
  ASSERT_TRUE(h.SetState(GST_STATE_NULL));
  h.ResetCounts();
  ASSERT_TRUE(h.SetState(GST_STATE_PLAYING));
  EXPECT_TRUE(h.WaitForEos(30));
  EXPECT_EQ(h.BufferCounts()[0], 120);
  EXPECT_EQ(FrameNumberOf(h.FirstVideoSamples()[0]), 0);
}

TEST_F(ParseFilterElementTest, StopsCleanlyAtAnyMoment) {
  ParseFilterHarness h;
  ASSERT_EQ(h.Load(twoChannel_), 0);
  ASSERT_TRUE(h.LinkDecoders());
  for (int round = 0; round < 4; ++round) {
    ASSERT_TRUE(h.SetState(GST_STATE_PAUSED));  // threads held in preroll
    ASSERT_TRUE(h.SetState(GST_STATE_NULL));
    ASSERT_TRUE(h.SetState(GST_STATE_PLAYING));  // streaming, then stopped mid-way
    ASSERT_TRUE(h.Seek(FrameTime(30 * round + 7)));
    ASSERT_TRUE(h.SetState(GST_STATE_NULL));
  }
  // Seeking while playing still reaches the end.
  ASSERT_TRUE(h.SetState(GST_STATE_PLAYING));
  ASSERT_TRUE(h.Seek(FrameTime(100)));
  EXPECT_TRUE(h.WaitForEos(30));
}

TEST_F(ParseFilterElementTest, AnUnlinkedPadDoesNotStopTheOthers) {
  ParseFilterHarness h;
  ASSERT_EQ(h.Load(twoChannel_), 0);
  GstElement* sink = gst_parse_bin_from_description("h264parse ! avdec_h264 ! fakesink sync=false",
                                                    TRUE, nullptr);
  GstElement* pipeline = GST_ELEMENT(gst_element_get_parent(h.element()));
  gst_bin_add(GST_BIN(pipeline), sink);
  gst_object_unref(pipeline);
  ASSERT_TRUE(gst_element_link_pads(h.element(), "Video2", sink, nullptr));
  ASSERT_TRUE(h.SetState(GST_STATE_PLAYING));
  std::string error;
  EXPECT_TRUE(h.WaitForEos(30, &error)) << error;
}

// A seek that arrives while the pipeline is still going to PAUSED, before
// the pads have sent their first events, must not lose those events: the
// stream would then fail with not-negotiated.
TEST_F(ParseFilterElementTest, SeekBeforeTheFirstBufferStillNegotiates) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    ParseFilterHarness h;
    ASSERT_EQ(h.Load(twoChannel_), 0);
    ASSERT_TRUE(h.LinkDecoders());
    GstElement* pipeline = GST_ELEMENT(gst_element_get_parent(h.element()));
    gst_element_set_state(pipeline, GST_STATE_PAUSED);  // no wait
    ASSERT_TRUE(h.Seek(FrameTime(60)));
    gst_object_unref(pipeline);
    ASSERT_TRUE(h.SetState(GST_STATE_PLAYING));
    std::string error;
    EXPECT_TRUE(h.WaitForEos(20, &error)) << "attempt " << attempt << ": " << error;
  }
}


}  // namespace
}  // namespace zv::test
