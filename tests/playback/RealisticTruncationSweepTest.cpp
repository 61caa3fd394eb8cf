// SPDX-License-Identifier: GPL-3.0-or-later
// The truncation sweep on a recording of realistic size: one minute of
// noisy, detailed pictures at 10 Mbit/s a channel (about 150 MB), cut at 100
// points spread over the file. Every cut either loads, gives every sensor
// record written wholly before the cut and plays to its end, or fails Load
// cleanly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "ParseFilterHarness.h"
#include "RecordingFixtures.h"
#include "reader/RecordingReader.h"

namespace zv::test {
namespace {

constexpr size_t kCuts = 100;
// Playing each cut from its start would decode up to a minute of two
// channels a hundred times, far longer than the test suite may take; each
// cut plays its last second instead (a seek there, then to the end of the
// stream), which is where a cut leaves its damage: the last chunks, the
// missing index, the missing end of a RIFF part.
constexpr uint64_t kTailNs = 1000000000ull;

class RealisticTruncationSweepTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/zv-realistic-truncation-XXXXXX";
    folder_ = mkdtemp(pattern);
    path_ = MakeGeneratedRecording(folder_, "full.avi",
                                   "--seconds 60 --front 640x360 --rear 640x360 --fps 30 "
                                   "--bitrate 10000 --texture noise");
    RecordingReader full;
    if (path_.empty() || !full.Open(path_)) return;
    const Recording& rec = full.recording();
    for (const SensorRecord& r : rec.records) {
      auto data = rec.recordBytes.begin() + static_cast<long>(r.dataOffset);
      records_.push_back(FixtureRecord{r.timeMs, std::string(data, data + r.size),
                                       r.fileOffset + 4 + r.size});
    }
    size_ = std::filesystem::file_size(path_);
  }
  static void TearDownTestSuite() { RunCommand("rm -rf '" + folder_ + "'"); }

  static std::vector<FixtureRecord> RecordsBefore(uint64_t cut) {
    std::vector<FixtureRecord> kept;
    for (const FixtureRecord& r : records_)
      if (r.chunkEnd <= cut) kept.push_back(r);
    return kept;
  }

  static std::string folder_;
  static std::string path_;
  static uint64_t size_;
  static std::vector<FixtureRecord> records_;
};

std::string RealisticTruncationSweepTest::folder_;
std::string RealisticTruncationSweepTest::path_;
uint64_t RealisticTruncationSweepTest::size_ = 0;
std::vector<FixtureRecord> RealisticTruncationSweepTest::records_;

void ExpectRecords(const std::vector<PulledRecord>& pulled, const std::vector<FixtureRecord>& expected,
                   uint64_t cut) {
  ASSERT_EQ(pulled.size(), expected.size()) << "cut " << cut;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(pulled[i].timeMs, expected[i].timeMs) << "cut " << cut << " record " << i;
    // The element hands over 1024-byte records; the file's record is their start.
    EXPECT_EQ(pulled[i].bytes.substr(0, expected[i].bytes.size()), expected[i].bytes)
        << "cut " << cut << " record " << i;
  }
}

TEST_F(RealisticTruncationSweepTest, EveryCutPlaysToItsEndOrFailsLoadCleanly) {
  ASSERT_FALSE(path_.empty());
  ASSERT_GT(size_, 120000000u);  // 10 Mbit/s a channel for a minute
  ASSERT_EQ(records_.size(), 660u);  // 10 Hz G-sensor and 1 Hz GPS
  // One copy, cut shorter and shorter: the cuts go from the end of the file
  // towards its start, each an odd distance from an even split so that they
  // fall into headers, chunk headers and chunk data alike.
  const std::string cutPath = folder_ + "/cut.avi";
  std::filesystem::copy_file(path_, cutPath);
  size_t loaded = 0, failed = 0, recovered = 0, expectedTotal = 0;
  for (size_t k = kCuts; k-- > 0;) {
    const uint64_t cut = std::min<uint64_t>(size_ * (k + 1) / (kCuts + 1) + (k * 7919) % 4093, size_);
    std::filesystem::resize_file(cutPath, cut);
    const std::vector<FixtureRecord> expected = RecordsBefore(cut);
    expectedTotal += expected.size();

    RecordingReader reader;
    ParseFilterHarness h;
    if (h.Load(cutPath) != 0) {
      ++failed;
      EXPECT_FALSE(reader.Open(cutPath)) << "cut " << cut;
      EXPECT_TRUE(expected.empty()) << "cut " << cut << " refused with records before it";
      continue;
    }
    ++loaded;
    ASSERT_TRUE(reader.Open(cutPath)) << "cut " << cut;
    const std::vector<PulledRecord> pulled = h.ReadAllRecords();
    ExpectRecords(pulled, expected, cut);
    recovered += pulled.size();

    const uint64_t durationNs = reader.recording().durationNs;
    ASSERT_TRUE(h.LinkDecoders()) << "cut " << cut;
    ASSERT_TRUE(h.SetState(GST_STATE_PAUSED, 30)) << "cut " << cut;
    h.ResetCounts();
    ASSERT_TRUE(h.Seek(static_cast<int64_t>(durationNs > kTailNs ? durationNs - kTailNs : 0)));
    ASSERT_TRUE(h.SetState(GST_STATE_PLAYING, 30)) << "cut " << cut;
    std::string error;
    EXPECT_TRUE(h.WaitForEos(60, &error)) << "cut " << cut << ": " << error;
    const std::vector<int> counts = h.BufferCounts();
    EXPECT_GT(counts.at(0), 0) << "cut " << cut << ": no front picture in the last second";
  }
  std::printf("realistic truncation sweep: file=%llu bytes cuts=%zu loaded_and_played=%zu "
              "failed_cleanly=%zu records_recovered=%zu/%zu\n",
              static_cast<unsigned long long>(size_), kCuts, loaded, failed, recovered, expectedTotal);
  EXPECT_EQ(recovered, expectedTotal);
  EXPECT_GT(loaded, kCuts * 9 / 10);
}

}  // namespace
}  // namespace zv::test
