// SPDX-License-Identifier: GPL-3.0-or-later
// Loading from the index against loading by a scan, on files written by the
// project's generator and by ffmpeg: the index serves the same chunk tables
// and sensor records as a scan of the same file without its index.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "ParseFilterHarness.h"
#include "RecordingFixtures.h"
#include "reader/RecordingReader.h"

namespace zv::test {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The file without its index: cut off where idx1 begins when idx1 is the
// file's last chunk, else (a file with AVIX parts) idx1 and the OpenDML
// indexes renamed to JUNK.
std::string WithoutIndex(const std::string& path) {
  std::string bytes = ReadAll(path);
  const size_t idx1 = bytes.rfind("idx1");
  if (idx1 == std::string::npos) return "";
  if (bytes.find("AVIX") == std::string::npos) {
    bytes.resize(idx1);
  } else {
    for (const char* id : {"idx1", "indx"})
      for (size_t at = bytes.find(id); at != std::string::npos; at = bytes.find(id, at + 4)) bytes.replace(at, 4, "JUNK");
  }
  const std::string bare = path + ".bare.avi";
  WriteAll(bare, bytes);
  return bare;
}

void ExpectSameChunks(const std::vector<MediaChunk>& a, const std::vector<MediaChunk>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].offset, b[i].offset) << i;
    EXPECT_EQ(a[i].size, b[i].size) << i;
    EXPECT_EQ(a[i].timeNs, b[i].timeNs) << i;
    EXPECT_EQ(a[i].keyFrame, b[i].keyFrame) << i;
  }
}

class IndexedLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zv-indexed-XXXXXX";
    folder_ = mkdtemp(pattern);
  }
  void TearDown() override { RunCommand("rm -rf '" + folder_ + "'"); }

  // Loads `path` with and without its index and compares everything.
  void Compare(const std::string& path, size_t expectedRecords) {
    ASSERT_FALSE(path.empty());
    const std::string bare = WithoutIndex(path);
    ASSERT_FALSE(bare.empty()) << path << " has no idx1";
    RecordingReader indexed, scanned;
    ASSERT_TRUE(indexed.Open(path)) << indexed.errorMessage();
    ASSERT_TRUE(scanned.Open(bare)) << scanned.errorMessage();
    EXPECT_TRUE(indexed.usedIndex()) << path << ": " << indexed.indexRejection();
    EXPECT_FALSE(scanned.usedIndex());
    const Recording& a = indexed.recording();
    const Recording& b = scanned.recording();
    ASSERT_EQ(a.video.size(), b.video.size());
    for (size_t v = 0; v < a.video.size(); ++v) ExpectSameChunks(a.video[v].chunks, b.video[v].chunks);
    ASSERT_EQ(a.audio.has_value(), b.audio.has_value());
    if (a.audio) ExpectSameChunks(a.audio->chunks, b.audio->chunks);
    EXPECT_EQ(a.durationNs, b.durationNs);

    // The records the viewer pulls through the element are the same too.
    ParseFilterHarness withIndex, withoutIndex;
    ASSERT_EQ(withIndex.Load(path), 0);
    ASSERT_EQ(withoutIndex.Load(bare), 0);
    const std::vector<PulledRecord> records = withIndex.ReadAllRecords();
    const std::vector<PulledRecord> scannedRecords = withoutIndex.ReadAllRecords();
    ASSERT_EQ(records.size(), expectedRecords);
    ASSERT_EQ(scannedRecords.size(), expectedRecords);
    for (size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i].timeMs, scannedRecords[i].timeMs) << i;
      EXPECT_EQ(records[i].bytes, scannedRecords[i].bytes) << i;
    }
  }

  std::string folder_;
};

TEST_F(IndexedLoadTest, GeneratedRecordingsLoadTheSameWithAndWithoutTheirIndex) {
  Compare(MakeGeneratedRecording(folder_, "two.avi", "--front 320x180 --rear 160x90 --seconds 3"), 33);
  // Parts past the first RIFF: idx1 serves the first, the OpenDML indexes the rest.
  Compare(MakeGeneratedRecording(folder_, "parts.avi",
                                 "--front 320x180 --rear none --audio pcm --seconds 3 --riff-limit 70000"),
          33);
}

TEST_F(IndexedLoadTest, AnFfmpegFileLoadsTheSameWithAndWithoutItsIndex) {
  FixtureOptions options;
  options.sensorRecords = false;
  options.seconds = 2;
  Fixture ordinary = MakeRecording(folder_, "ordinary.avi", options);
  Compare(ordinary.path, 0);
  ParseFilterHarness h;  // and it plays from its index
  ASSERT_EQ(h.Load(ordinary.path), 0);
  ASSERT_TRUE(h.LinkDecoders());
  ASSERT_TRUE(h.SetState(GST_STATE_PLAYING));
  std::string error;
  EXPECT_TRUE(h.WaitForEos(20, &error)) << error;
}

}  // namespace
}  // namespace zv::test
