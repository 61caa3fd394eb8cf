// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "ParseFilterHarness.h"
#include "RecordingFixtures.h"
#include "reader/RecordingReader.h"

namespace zv::test {
namespace {

// A recorder that loses power leaves a file cut at any byte. At every cut the
// file must either load and play up to the cut, with every record written
// before it, or be refused cleanly.
class TruncationSweepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zv-truncation-XXXXXX";
    folder_ = mkdtemp(pattern);
    // Small RIFF parts, so that cuts fall into 'AVIX' parts as well.
    path_ = MakeGeneratedRecording(folder_, "full.avi",
                                   "--front 320x180 --rear 160x90 --seconds 4 --riff-limit 120000");
    std::ifstream file(path_, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    RecordingReader full;
    if (!full.Open(path_)) return;
    const Recording& rec = full.recording();
    for (const SensorRecord& r : rec.records) {
      auto data = rec.recordBytes.begin() + static_cast<long>(r.dataOffset);
      records_.push_back(FixtureRecord{r.timeMs, std::string(data, data + r.size),
                                       r.fileOffset + 4 + r.size});
    }
    fullFrontFrames_ = rec.video[0].chunks.size();
  }
  void TearDown() override { RunCommand("rm -rf '" + folder_ + "'"); }

  std::string WriteCut(size_t cut) const {
    std::string path = folder_ + "/cut.avi";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes_.data(), static_cast<std::streamsize>(cut));
    return path;
  }
  std::vector<FixtureRecord> RecordsBefore(size_t cut) const {
    std::vector<FixtureRecord> kept;
    for (const FixtureRecord& r : records_)
      if (r.chunkEnd <= cut) kept.push_back(r);
    return kept;
  }

  std::string folder_;
  std::string path_;
  std::string bytes_;
  std::vector<FixtureRecord> records_;  // of the whole file, with their chunk ends
  size_t fullFrontFrames_ = 0;
};

TEST_F(TruncationSweepTest, EveryCutLoadsUpToTheCutOrFailsCleanly) {
  ASSERT_FALSE(path_.empty());
  ASSERT_EQ(fullFrontFrames_, 120u);
  ASSERT_EQ(records_.size(), 44u);  // 10 Hz G-sensor and 1 Hz GPS over 4 s
  ASSERT_GT(bytes_.size(), 2 * 120000u);  // three RIFF parts
  const size_t kCuts = 150;
  size_t loaded = 0, failed = 0, played = 0, recovered = 0, expectedTotal = 0;
  for (size_t k = 0; k < kCuts; ++k) {
    // Spread over the file, each cut nudged by a different amount so that
    // cuts fall inside headers, chunk headers and chunk data alike.
    size_t cut = bytes_.size() * k / kCuts + (k * 7919) % 97;
    cut = std::min(cut, bytes_.size());
    std::string path = WriteCut(cut);
    std::vector<FixtureRecord> expected = RecordsBefore(cut);
    expectedTotal += expected.size();

    RecordingReader reader;
    if (!reader.Open(path)) {
      ++failed;
      EXPECT_NE(reader.error(), ScanError::None);
      EXPECT_TRUE(expected.empty()) << "cut " << cut << ": " << reader.errorMessage();
      ParseFilterHarness h;
      EXPECT_LT(h.Load(path), 0) << cut;
      continue;
    }
    ++loaded;
    const Recording& rec = reader.recording();
    ASSERT_EQ(rec.records.size(), expected.size()) << "cut " << cut;
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(rec.records[i].timeMs, expected[i].timeMs);
      std::string bytes(rec.recordBytes.begin() + static_cast<long>(rec.records[i].dataOffset),
                        rec.recordBytes.begin() +
                            static_cast<long>(rec.records[i].dataOffset + rec.records[i].size));
      EXPECT_EQ(bytes, expected[i].bytes) << "cut " << cut << " record " << i;
    }
    recovered += rec.records.size();
    for (const VideoStream& v : rec.video)
      for (const MediaChunk& c : v.chunks) EXPECT_LE(c.offset + c.size, cut);
    EXPECT_EQ(rec.durationNs, rec.video[0].chunks.size() * 1000000000ull / 30);

    if (k % 6 == 3) {  // the whole element, decoders and all, at ~22 cuts
      ParseFilterHarness h;
      ASSERT_EQ(h.Load(path), 0) << cut;
      EXPECT_EQ(h.ReadAllRecords().size(), expected.size());
      ASSERT_TRUE(h.LinkDecoders());
      ASSERT_TRUE(h.SetState(GST_STATE_PLAYING)) << cut;
      std::string error;
      EXPECT_TRUE(h.WaitForEos(20, &error)) << "cut " << cut << ": " << error;
      ++played;
    }
  }
  std::printf("truncation sweep: cuts=%zu loaded=%zu failed_cleanly=%zu played_to_eos=%zu "
              "records_recovered=%zu/%zu\n",
              kCuts, loaded, failed, played, recovered, expectedTotal);
  RecordProperty("loaded", static_cast<int>(loaded));
  RecordProperty("failed_cleanly", static_cast<int>(failed));
  RecordProperty("records_recovered", static_cast<int>(recovered));
  EXPECT_EQ(recovered, expectedTotal);
  EXPECT_GT(loaded, kCuts * 3 / 4);
  EXPECT_GE(played, 18u);
}

}  // namespace
}  // namespace zv::test
