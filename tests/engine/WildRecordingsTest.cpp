// SPDX-License-Identifier: GPL-3.0-or-later
// Recordings the player did not write: every common codec plays through the
// engine to its end, in display order, with its sound lasting as long as
// its pictures.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <atomic>
#include <fstream>
#include <iterator>
#include <mutex>

#include "FrameCode.h"
#include "PlaybackTestSupport.h"
#include "WildFixtures.h"
#include "player/CVideoPlayer.h"
#include "reader/RecordingReader.h"

using namespace zv;

namespace {

// Watches what reaches one renderer: buffers, their end in stream time, and
// whether their times only grow.
class RendererWatch {
 public:
  // `already`: the buffers that reached the renderer before the watch began.
  explicit RendererWatch(int already = 0) : buffers_(already) {}
  ~RendererWatch() {
    if (!pad_) return;
    gst_pad_remove_probe(pad_, probe_);
    gst_object_unref(pad_);
  }
  void Attach(GstElement* pipeline, const char* name) {
    GstElement* renderer = gst_bin_get_by_name(GST_BIN(pipeline), name);
    if (!renderer) return;
    pad_ = gst_element_get_static_pad(renderer, "sink");
    probe_ = gst_pad_add_probe(pad_, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
                               &RendererWatch::OnData, this, nullptr);
    gst_object_unref(renderer);
  }
  int buffers() const { return buffers_; }
  bool attached() const { return pad_ != nullptr; }
  // The end of the last buffer, in stream time.
  double endSeconds() const { return static_cast<double>(end_) / GST_SECOND; }
  bool inOrder() const { return inOrder_; }
  // Whether the end of the stream reached the renderer, after every buffer.
  bool ended() const { return ended_; }

 private:
  static GstPadProbeReturn OnData(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto* self = static_cast<RendererWatch*>(data);
    if (GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) {
      if (GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info)) == GST_EVENT_EOS) self->ended_ = true;
      return GST_PAD_PROBE_OK;
    }
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    const GstClockTime pts = GST_BUFFER_PTS(buffer), duration = GST_BUFFER_DURATION(buffer);
    std::lock_guard lock(self->mutex_);
    ++self->buffers_;
    if (GST_CLOCK_TIME_IS_VALID(pts)) {
      if (GST_CLOCK_TIME_IS_VALID(self->lastPts_) && pts <= self->lastPts_) self->inOrder_ = false;
      self->lastPts_ = pts;
      self->end_ = std::max<GstClockTime>(self->end_, pts + (GST_CLOCK_TIME_IS_VALID(duration) ? duration : 0));
    }
    return GST_PAD_PROBE_OK;
  }
  GstPad* pad_ = nullptr;
  gulong probe_ = 0;
  std::mutex mutex_;
  std::atomic<int> buffers_{0};
  std::atomic<bool> ended_{false};
  GstClockTime end_ = 0;
  GstClockTime lastPts_ = GST_CLOCK_TIME_NONE;
  bool inOrder_ = true;
};

struct Played {
  int expectedFrames = -1;
  int videoFrames = 0;
  double videoEnd = 0, audioEnd = 0;
  bool inOrder = false, reachedEnd = false, renderersEnded = false, hasAudio = false;
};

// Video chunks that hold a picture, as the reader sees them.
int PictureChunks(const std::string& path) {
  RecordingReader reader;
  if (!reader.Open(path)) return -1;
  int count = 0;
  for (const MediaChunk& c : reader.recording().video[0].chunks) count += c.size > 0;
  return count;
}

class WildRecordingsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { folder_ = new QTemporaryDir; }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }
  void SetUp() override { player_.Init(&front_, &rear_); }

  Played PlayThrough(const std::string& path) {
    Played played;
    played.expectedFrames = PictureChunks(path);
    if (player_.Open(path) != 1) return played;
    CGraphPlayer* engine = player_.Engine();
    // Every decoded picture counts: on a busy machine the renderer's quality
    // control would drop late ones, and the count would tell the load.
    if (GstElement* renderer = gst_bin_get_by_name(GST_BIN(engine->Pipeline()), "Mixing Renderer9")) {
      g_object_set(renderer, "qos", FALSE, nullptr);
      gst_object_unref(renderer);
    }
    // Open returns while the pipeline prerolls. Once it has prerolled, the
    // first picture has passed into the renderer, where it waits for the
    // clock, and the watch counts it with the pictures that follow.
    if (gst_element_get_state(engine->Pipeline(), nullptr, nullptr, 10 * GST_SECOND) != GST_STATE_CHANGE_SUCCESS)
      return played;
    RendererWatch video(1), audio;
    video.Attach(engine->Pipeline(), "Mixing Renderer9");
    audio.Attach(engine->Pipeline(), "DirectSound Audio Renderer");
    if (engine->Run() < 0) return played;
    const int64_t duration = static_cast<int64_t>(player_.GetDurationMs()) * kUnitsPerMs;
    played.reachedEnd = WaitFor(
        [&] {
          int64_t position = 0;
          engine->GetCurrentPosition(&position);
          return position >= duration;
        },
        10000);
    // The counts are final once the end of the stream has reached both
    // renderers; a loaded machine may still be decoding the last pictures
    // when the clock reaches the end.
    played.renderersEnded = WaitFor([&] { return video.ended() && (!audio.attached() || audio.ended()); }, 10000);
    WaitFor([] { return false; }, 100);  // the last pictures reach the windows
    played.videoFrames = video.buffers();
    played.videoEnd = video.endSeconds();
    played.audioEnd = audio.endSeconds();
    played.hasAudio = audio.buffers() > 0;
    played.inOrder = video.inOrder();
    return played;
  }

  static std::string Make(const std::string& name) { return MakeWildFixture(folder_->path().toStdString(), name); }

  static QTemporaryDir* folder_;
  RecordingWindow front_, rear_;
  CVideoPlayer player_;
};

QTemporaryDir* WildRecordingsTest::folder_ = nullptr;

TEST_F(WildRecordingsTest, EveryCodecPlaysToTheEndWithItsSound) {
  for (const std::string& name : WildFixtureNames()) {
    if (name == "mkrec-bframes.avi") continue;  // no sound: its own test
    SCOPED_TRACE(name);
    const std::string path = Make(name);
    ASSERT_FALSE(path.empty()) << "fixture not made";
    const Played p = PlayThrough(path);
    std::printf("fixture %-24s video_frames=%d/%d video_end=%.3f s audio_end=%.3f s in_order=%d\n", name.c_str(),
                p.videoFrames, p.expectedFrames, p.videoEnd, p.audioEnd, p.inOrder);
    EXPECT_TRUE(p.reachedEnd);
    EXPECT_TRUE(p.renderersEnded);
    EXPECT_EQ(p.videoFrames, p.expectedFrames);
    EXPECT_TRUE(p.inOrder);
    EXPECT_TRUE(p.hasAudio);
    // The sound ends with the pictures. Compressed sound is made of whole
    // frames (and AAC carries one of encoder delay), hence the margin; the
    // AAC fixtures are made to end within 20 ms of their pictures, so two
    // frames a chunk must keep that.
    const double margin = name == "h264-aac-two-frames.avi" ? 0.05 : 0.15;
    EXPECT_NEAR(p.audioEnd, p.videoEnd, margin);
  }
}

// The index and a scan of the chunk headers (the same file with its idx1 cut
// off) agree on every codec: the same chunks, the same key frames.
TEST_F(WildRecordingsTest, IndexAndScanAgreeOnEveryCodec) {
  for (const std::string& name : WildFixtureNames()) {
    SCOPED_TRACE(name);
    const std::string path = Make(name);
    ASSERT_FALSE(path.empty());
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const size_t idx1 = bytes.rfind("idx1");
    RecordingReader indexed, scanned;
    ASSERT_TRUE(indexed.Open(path));
    if (idx1 == std::string::npos) {  // the rewritten AAC file has no index
      EXPECT_FALSE(indexed.usedIndex());
      continue;
    }
    EXPECT_TRUE(indexed.usedIndex()) << indexed.indexRejection();
    bytes.resize(idx1);
    const std::string bare = path + ".bare";
    std::ofstream(bare, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(scanned.Open(bare));
    EXPECT_FALSE(scanned.usedIndex());
    const auto& a = indexed.recording().video[0].chunks;
    const auto& b = scanned.recording().video[0].chunks;
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(a[i].offset, b[i].offset) << i;
      EXPECT_EQ(a[i].keyFrame, b[i].keyFrame) << i;
    }
    ASSERT_EQ(indexed.recording().audio.has_value(), scanned.recording().audio.has_value());
    if (indexed.recording().audio) {
      EXPECT_EQ(indexed.recording().audio->chunks.size(), scanned.recording().audio->chunks.size());
    }
  }
}

// zv-mkrec's B-frames: the frames come in decode order, and play in display
// order (their frame codes only grow); a seek shows the frame it names,
// B-frames included.
TEST_F(WildRecordingsTest, BFramesPlayInDisplayOrderAndSeekToTheNamedFrame) {
  const std::string path = Make("mkrec-bframes.avi");
  ASSERT_FALSE(path.empty());
  std::vector<int> shown;
  front_.onFrame = [&](const QImage& frame) { shown.push_back(ReadFrameCode(frame).frame); };
  const Played p = PlayThrough(path);
  std::printf("fixture %-24s video_frames=%d/%d video_end=%.3f s in_order=%d\n", "mkrec-bframes.avi", p.videoFrames,
              p.expectedFrames, p.videoEnd, p.inOrder);
  EXPECT_TRUE(p.renderersEnded);
  EXPECT_EQ(p.videoFrames, 60);
  EXPECT_TRUE(p.inOrder);
  // The still picture of the open (frame 0) comes again as playback starts;
  // from then on every picture follows the one before it.
  ASSERT_GT(shown.size(), 30u);
  EXPECT_EQ(shown.front(), 0);
  for (size_t i = 1; i < shown.size(); ++i) {
    if (i == 1 && shown[1] == 0) continue;
    EXPECT_GT(shown[i], shown[i - 1]) << i;
  }
  EXPECT_EQ(shown.back(), 59);

  ASSERT_EQ(player_.Engine()->Pause(), S_OK);
  for (int frame : {31, 32, 45, 7}) {
    const int before = front_.frames;
    ASSERT_EQ(player_.SeekTo(frame * 1000 / 30 + 5), 1);
    ASSERT_TRUE(WaitFor([&] { return front_.frames > before; }));
    EXPECT_EQ(ReadFrameCode(front_.last).frame, frame);
  }
}

}  // namespace
