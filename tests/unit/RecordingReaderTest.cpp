// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <random>

#include "AviWriter.h"
#include "reader/AnnexBScanner.h"
#include "reader/CountingByteSource.h"
#include "reader/KeyFrameProbe.h"
#include "reader/MemoryByteSource.h"
#include "reader/RecordingLoader.h"
#include "reader/RecordingReader.h"
#include "reader/RecordingScanner.h"

namespace zv {
namespace {

using mkrec::AviAudioFormat;
using mkrec::AviLayout;
using mkrec::AviVideoFormat;

std::vector<uint8_t> AccessUnit(bool idr, size_t payload, size_t seiBytes = 0) {
  std::vector<uint8_t> au;
  auto nal = [&au](uint8_t header, size_t bytes) {
    au.insert(au.end(), {0, 0, 0, 1, header});
    au.insert(au.end(), bytes, 0x5A);
  };
  if (idr) {
    nal(0x67, 6);  // SPS
    nal(0x68, 3);  // PPS
  }
  if (seiBytes > 0) nal(0x06, seiBytes);
  nal(idr ? 0x65 : 0x41, payload);
  return au;
}

// A recording with dummy H.264 access units, written by the AVI writer.
struct SyntheticRecording {
  int frames = 60;
  bool rear = true;
  std::optional<AviAudioFormat::Codec> audio = AviAudioFormat::Codec::Aac;
  uint64_t riffLimit = recfmt::kDefaultRiffLimit;
  size_t firstSei = 0;
  size_t framePayload = 100;

  std::vector<uint8_t> Write(const QString& folder) const {
    AviLayout layout;
    layout.front = AviVideoFormat{320, 180};
    if (rear) layout.rear = AviVideoFormat{160, 90};
    if (audio) {
      AviAudioFormat format;
      format.codec = *audio;
      if (*audio == AviAudioFormat::Codec::Aac) format.audioSpecificConfig = {0x14, 0x08};
      layout.audio = format;
    }
    layout.riffLimit = riffLimit;
    mkrec::AviWriter writer(layout);
    std::string path = (folder + "/synthetic.avi").toStdString();
    EXPECT_TRUE(writer.Open(path));
    for (int i = 0; i < frames; ++i) {
      bool key = i % 30 == 0;
      auto front = AccessUnit(key, framePayload + i % 7, i == 0 ? firstSei : 0);
      writer.WriteVideo(0, front.data(), front.size(), key);
      if (i % 3 == 0) {  // 10 Hz G-sensor: 'M' and three axes
        uint8_t g[4] = {'M', 0x80, 0xFF, static_cast<uint8_t>(i)};
        writer.WriteSensorRecord(static_cast<uint32_t>(i * 100 / 3), g, sizeof g);
      }
      if (rear) {
        auto back = AccessUnit(key, 51 + i % 4);
        writer.WriteVideo(1, back.data(), back.size(), key);
      }
      if (audio && i % 2 == 0) {
        std::vector<uint8_t> chunk(*audio == AviAudioFormat::Codec::Pcm ? 2 * (1000 + i) : 77, 1);
        writer.WriteAudio(chunk.data(), chunk.size());
      }
    }
    EXPECT_TRUE(writer.Close()) << writer.Error();
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
};

// Loads as the parse filter does: from the index when it serves, else by a
// scan.
ScanError Scan(const std::vector<uint8_t>& bytes, Recording& out, size_t size = SIZE_MAX) {
  MemoryByteSource source(bytes.data(), std::min(size, bytes.size()));
  return RecordingLoader(source).Load(out);
}

ScanError ScanOnly(const std::vector<uint8_t>& bytes, Recording& out) {
  MemoryByteSource source(bytes.data(), bytes.size());
  return RecordingScanner(source).Scan(out);
}

void PutLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

size_t Find(const std::vector<uint8_t>& bytes, const char* fourcc, size_t from = 0) {
  auto it = std::search(bytes.begin() + static_cast<long>(from), bytes.end(), fourcc, fourcc + 4);
  return static_cast<size_t>(it - bytes.begin());
}

class RecordingReaderTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
};

TEST_F(RecordingReaderTest, ReadsStreamsChunkTimesKeyFramesAndRecords) {
  std::vector<uint8_t> bytes = SyntheticRecording{}.Write(dir_.path());
  Recording rec;
  ASSERT_EQ(Scan(bytes, rec), ScanError::None);
  ASSERT_EQ(rec.video.size(), 2u);
  EXPECT_EQ(rec.video[0].width, 320u);
  EXPECT_EQ(rec.video[0].height, 180u);
  EXPECT_EQ(rec.video[1].width, 160u);
  EXPECT_EQ(static_cast<double>(rec.video[0].rate) / rec.video[0].scale, 30.0);
  ASSERT_EQ(rec.video[0].chunks.size(), 60u);
  ASSERT_EQ(rec.video[1].chunks.size(), 60u);
  for (size_t i = 0; i < 60; ++i) {
    EXPECT_EQ(rec.video[0].chunks[i].keyFrame, i % 30 == 0) << i;
    EXPECT_EQ(rec.video[0].chunks[i].timeNs, i * 1000000000ull / 30) << i;
    EXPECT_EQ(rec.video[0].chunks[i].size, AccessUnit(i % 30 == 0, 100 + i % 7).size());
  }
  EXPECT_EQ(rec.durationNs, 2000000000ull);
  ASSERT_TRUE(rec.audio);
  EXPECT_EQ(rec.audio->codec, AudioCodec::Aac);
  EXPECT_EQ(rec.audio->sampleRate, 16000u);
  EXPECT_EQ(rec.audio->codecData, (std::vector<uint8_t>{0x14, 0x08}));
  ASSERT_EQ(rec.audio->chunks.size(), 30u);
  EXPECT_EQ(rec.audio->chunks[3].timeNs, 3ull * 1024 * 1000000000 / 16000);
  ASSERT_EQ(rec.records.size(), 20u);
  EXPECT_EQ(rec.records[5].timeMs, 500u);
  EXPECT_EQ(rec.records[5].size, 4u);
  EXPECT_EQ(rec.recordBytes[rec.records[5].dataOffset + 3], 15);
  // Chunk data lies where the table says: the front access unit's start code.
  const MediaChunk& c = rec.video[0].chunks[7];
  EXPECT_EQ(bytes[c.offset + 4], 0x41);
}

TEST_F(RecordingReaderTest, FileReaderMatchesMemoryAndReadsChunks) {
  std::vector<uint8_t> bytes = SyntheticRecording{}.Write(dir_.path());
  RecordingReader reader;
  ASSERT_TRUE(reader.Open((dir_.path() + "/synthetic.avi").toStdString()));
  const MediaChunk& c = reader.recording().video[1].chunks[30];
  std::vector<uint8_t> data(c.size);
  ASSERT_TRUE(reader.ReadChunk(c, data.data()));
  EXPECT_EQ(data, AccessUnit(true, 51 + 30 % 4));
  RecordingReader missing;
  EXPECT_FALSE(missing.Open((dir_.path() + "/none.avi").toStdString()));
  EXPECT_EQ(missing.error(), ScanError::Unreadable);
  EXPECT_EQ(missing.openErrno(), ENOENT);
}

TEST_F(RecordingReaderTest, WalksEveryRiffPartAndPcmTimesFollowTheSamples) {
  SyntheticRecording spec;
  spec.frames = 300;
  spec.riffLimit = 20000;
  spec.audio = AviAudioFormat::Codec::Pcm;
  std::vector<uint8_t> bytes = spec.Write(dir_.path());
  ASSERT_GT(Find(bytes, "AVIX"), 0u);
  ASSERT_LT(Find(bytes, "AVIX"), bytes.size());
  Recording rec;
  ASSERT_EQ(Scan(bytes, rec), ScanError::None);
  EXPECT_EQ(rec.video[0].chunks.size(), 300u);
  EXPECT_EQ(rec.video[1].chunks.size(), 300u);
  EXPECT_EQ(rec.records.size(), 100u);
  ASSERT_EQ(rec.audio->codec, AudioCodec::Pcm);
  ASSERT_EQ(rec.audio->chunks.size(), 150u);
  uint64_t samples = 0;
  for (size_t k = 0; k < 150; ++k) {
    EXPECT_EQ(rec.audio->chunks[k].timeNs, samples * 1000000000 / 16000) << k;
    samples += 1000 + 2 * k;
  }
}

TEST_F(RecordingReaderTest, ACutFileKeepsExactlyItsWholeChunks) {
  SyntheticRecording spec;
  spec.frames = 40;
  spec.riffLimit = 8000;
  std::vector<uint8_t> bytes = spec.Write(dir_.path());
  Recording full;
  ASSERT_EQ(Scan(bytes, full), ScanError::None);
  size_t moviData = Find(bytes, "movi") + 4;
  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    Recording rec;
    ScanError error = Scan(bytes, rec, cut);
    size_t frontWhole = 0, recordsWhole = 0;
    for (const MediaChunk& c : full.video[0].chunks) frontWhole += c.offset + c.size <= cut;
    for (const SensorRecord& r : full.records) recordsWhole += r.fileOffset + 4 + r.size <= cut;
    if (cut < moviData) {
      EXPECT_NE(error, ScanError::None) << cut;
      continue;
    }
    if (frontWhole == 0) {
      EXPECT_EQ(error, ScanError::NoFrontVideoChunk) << cut;
      continue;
    }
    ASSERT_EQ(error, ScanError::None) << cut;
    ASSERT_EQ(rec.video[0].chunks.size(), frontWhole) << cut;
    ASSERT_EQ(rec.records.size(), recordsWhole) << cut;
    EXPECT_EQ(rec.durationNs, frontWhole * 1000000000ull / 30);
  }
}

TEST_F(RecordingReaderTest, RefusesWhatIsNotARecording) {
  std::vector<uint8_t> bytes = SyntheticRecording{}.Write(dir_.path());
  Recording rec;
  EXPECT_EQ(Scan({}, rec), ScanError::NotAvi);
  std::vector<uint8_t> wave = bytes;
  PutLe32(wave, 8, recfmt::FourCC("WAVE"));
  EXPECT_EQ(Scan(wave, rec), ScanError::NotAvi);
  // Header list cut short.
  EXPECT_EQ(Scan(bytes, rec, Find(bytes, "strl") + 40), ScanError::IncompleteHeaders);
  // No video that can be played: both video streams claim a compression
  // the player has no decoder for (Cinepak).
  std::vector<uint8_t> cinepak = bytes;
  for (size_t at = Find(cinepak, "H264"); at < cinepak.size(); at = Find(cinepak, "H264", at))
    PutLe32(cinepak, at, recfmt::FourCC("cvid"));
  EXPECT_EQ(Scan(cinepak, rec), ScanError::NoVideoStream);
  // A movie list before any header list.
  std::vector<uint8_t> noHeaders = bytes;
  PutLe32(noHeaders, Find(noHeaders, "hdrl"), recfmt::FourCC("xxxx"));
  EXPECT_EQ(Scan(noHeaders, rec), ScanError::IncompleteHeaders);
  EXPECT_TRUE(rec.video.empty());
}

TEST_F(RecordingReaderTest, IgnoresContainerSizesAShortRecordAndATooSmallChunk) {
  SyntheticRecording spec;
  spec.frames = 10;
  std::vector<uint8_t> bytes = spec.Write(dir_.path());
  // A recorder that lost power never wrote the RIFF and 'movi' sizes.
  PutLe32(bytes, 4, 0);
  PutLe32(bytes, Find(bytes, "movi") - 4, 0xFFFFFFFF);
  // A 'zvsr' chunk shorter than 5 bytes is not a record: the first one
  // (time and 4 bytes) becomes an empty 'zvsr' and an empty 'JUNK'.
  size_t first = Find(bytes, "zvsr");
  PutLe32(bytes, first + 4, 0);
  std::copy_n("JUNK\0\0\0\0", 8, bytes.begin() + static_cast<long>(first + 8));
  Recording rec;
  ASSERT_EQ(Scan(bytes, rec), ScanError::None);
  EXPECT_EQ(rec.video[0].chunks.size(), 10u);
  ASSERT_EQ(rec.records.size(), 3u);
  EXPECT_EQ(rec.records[0].timeMs, 100u);
}

TEST_F(RecordingReaderTest, AHugeChunkIsSkippedNotKept) {
  SyntheticRecording spec;
  spec.frames = 4;
  spec.audio.reset();
  std::vector<uint8_t> bytes = spec.Write(dir_.path());
  Recording rec;
  ASSERT_EQ(Scan(bytes, rec), ScanError::None);
  // The last front frame claims 40 MiB, and the file is long enough for it.
  size_t last = rec.video[0].chunks[3].offset;
  PutLe32(bytes, last - 4, 40u << 20);
  bytes.resize(last + (40u << 20));
  ASSERT_EQ(Scan(bytes, rec), ScanError::None);
  EXPECT_EQ(rec.video[0].chunks.size(), 3u);
}

TEST_F(RecordingReaderTest, FindsTheSliceBehindALongSei) {
  SyntheticRecording spec;
  spec.frames = 2;
  spec.firstSei = 9000;  // beyond the first scan window
  Recording rec;
  ASSERT_EQ(ScanOnly(spec.Write(dir_.path()), rec), ScanError::None);
  EXPECT_TRUE(rec.video[0].chunks[0].keyFrame);
  EXPECT_FALSE(rec.video[0].chunks[1].keyFrame);
}

TEST_F(RecordingReaderTest, SurvivesRandomCorruption) {
  SyntheticRecording spec;
  spec.frames = 40;
  spec.riffLimit = 8000;
  const std::vector<uint8_t> bytes = spec.Write(dir_.path());
  std::mt19937 random(1234);
  for (int round = 0; round < 1500; ++round) {
    std::vector<uint8_t> damaged = bytes;
    for (int flips = 1 + round % 8; flips > 0; --flips) {
      size_t at = random() % damaged.size();
      damaged[at] = static_cast<uint8_t>(round % 3 == 0 ? 0xFF : random());
    }
    Recording rec;
    if (Scan(damaged, rec) != ScanError::None) continue;
    for (const VideoStream& v : rec.video) {
      for (const MediaChunk& c : v.chunks) ASSERT_LE(c.offset + c.size, damaged.size());
    }
    for (const SensorRecord& r : rec.records) {
      ASSERT_GE(r.size, 1u);
      ASSERT_LE(r.dataOffset + r.size, rec.recordBytes.size());
    }
  }
}

// ---- The index -------------------------------------------------------------

uint32_t Le32At(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

void ExpectSameTables(const Recording& a, const Recording& b) {
  ASSERT_EQ(a.video.size(), b.video.size());
  auto same = [](const std::vector<MediaChunk>& x, const std::vector<MediaChunk>& y) {
    ASSERT_EQ(x.size(), y.size());
    for (size_t i = 0; i < x.size(); ++i) {
      EXPECT_EQ(x[i].offset, y[i].offset) << i;
      EXPECT_EQ(x[i].size, y[i].size) << i;
      EXPECT_EQ(x[i].timeNs, y[i].timeNs) << i;
      EXPECT_EQ(x[i].durationNs, y[i].durationNs) << i;
      EXPECT_EQ(x[i].keyFrame, y[i].keyFrame) << i;
    }
  };
  for (size_t v = 0; v < a.video.size(); ++v) same(a.video[v].chunks, b.video[v].chunks);
  ASSERT_EQ(a.audio.has_value(), b.audio.has_value());
  if (a.audio) same(a.audio->chunks, b.audio->chunks);
  ASSERT_EQ(a.records.size(), b.records.size());
  for (size_t i = 0; i < a.records.size(); ++i) {
    EXPECT_EQ(a.records[i].timeMs, b.records[i].timeMs);
    EXPECT_EQ(a.records[i].fileOffset, b.records[i].fileOffset);
  }
  EXPECT_EQ(a.recordBytes, b.recordBytes);
  EXPECT_EQ(a.durationNs, b.durationNs);
}

struct IndexedLoad {
  Recording rec;
  ScanError error = ScanError::None;
  bool usedIndex = false;
  uint64_t bytesRead = 0;
};

IndexedLoad LoadCounted(const std::vector<uint8_t>& bytes) {
  MemoryByteSource memory(bytes.data(), bytes.size());
  CountingByteSource counted(memory);
  RecordingLoader loader(counted);
  IndexedLoad load;
  load.error = loader.Load(load.rec);
  load.usedIndex = loader.usedIndex();
  load.bytesRead = counted.bytesRead();
  return load;
}

// Renames a chunk id everywhere, so that readers skip those chunks.
void Rename(std::vector<uint8_t>& bytes, const char* from, const char* to) {
  for (size_t at = Find(bytes, from); at < bytes.size(); at = Find(bytes, from, at + 4))
    PutLe32(bytes, at, recfmt::FourCC(*reinterpret_cast<const char(*)[5]>(to)));
}

// The same recording with its index and without: idx1 and the OpenDML
// indexes renamed to JUNK. Both give the same tables and records; the index
// serves without reading the payloads.
TEST_F(RecordingReaderTest, IndexAndScanGiveTheSameTablesAndRecords) {
  for (bool multiPart : {false, true}) {
    SyntheticRecording spec;
    spec.frames = 150;
    spec.framePayload = 20000;
    if (multiPart) {
      spec.riffLimit = 400000;
      spec.audio = AviAudioFormat::Codec::Pcm;
    }
    const std::vector<uint8_t> bytes = spec.Write(dir_.path());
    ASSERT_EQ(Find(bytes, "AVIX") < bytes.size(), multiPart);
    const IndexedLoad indexed = LoadCounted(bytes);
    ASSERT_EQ(indexed.error, ScanError::None);
    EXPECT_TRUE(indexed.usedIndex) << multiPart;
    EXPECT_EQ(indexed.rec.video[0].chunks.size(), 150u);
    EXPECT_EQ(indexed.rec.records.size(), 50u);
    EXPECT_LT(indexed.bytesRead, bytes.size() / 100) << multiPart;

    std::vector<uint8_t> bare = bytes;
    Rename(bare, "idx1", "JUNK");
    Rename(bare, "indx", "JUNK");
    const IndexedLoad scanned = LoadCounted(bare);
    ASSERT_EQ(scanned.error, ScanError::None);
    EXPECT_FALSE(scanned.usedIndex);
    EXPECT_LT(scanned.bytesRead, bytes.size() / 10) << multiPart;  // chunk headers and frame starts only
    ExpectSameTables(indexed.rec, scanned.rec);
  }
}

// An index that disagrees with the file is not used: the scan gives the
// tables, as for a file without index.
TEST_F(RecordingReaderTest, AnIndexThatDisagreesWithTheFileFallsBackToTheScan) {
  SyntheticRecording spec;
  spec.frames = 60;
  const std::vector<uint8_t> bytes = spec.Write(dir_.path());
  Recording expected;
  ASSERT_EQ(ScanOnly(bytes, expected), ScanError::None);
  const size_t idx1 = Find(bytes, "idx1");
  const size_t entries = Le32At(bytes, idx1 + 4) / 16;
  auto entry = [&](size_t i) { return idx1 + 8 + 16 * i; };
  auto firstOf = [&](const char* id) {
    for (size_t i = 0; i < entries; ++i)
      if (std::equal(id, id + 4, bytes.begin() + static_cast<long>(entry(i)))) return i;
    return entries;
  };
  std::vector<std::pair<const char*, std::vector<uint8_t>>> damaged;
  {
    std::vector<uint8_t> b = bytes;  // the last front frame lies past the end of the file
    PutLe32(b, entry(firstOf("00dc")) + 8, static_cast<uint32_t>(b.size()));
    damaged.emplace_back("outside the file", b);
  }
  {
    std::vector<uint8_t> b = bytes;  // every rear entry names the front stream
    for (size_t i = 0; i < entries; ++i)
      if (Le32At(b, entry(i)) == recfmt::kRearVideoChunk) PutLe32(b, entry(i), recfmt::kFrontVideoChunk);
    damaged.emplace_back("the wrong stream", b);
  }
  {
    std::vector<uint8_t> b = bytes;  // a stream number the file does not have
    PutLe32(b, entry(entries / 2), recfmt::FourCC("07dc"));
    damaged.emplace_back("an unknown stream", b);
  }
  {
    std::vector<uint8_t> b = bytes;  // audio entries at video chunks
    PutLe32(b, entry(firstOf("02wb")), recfmt::FourCC("02dc"));
    damaged.emplace_back("a chunk id of another kind", b);
  }
  {
    std::vector<uint8_t> b = bytes;  // a size that is not the chunk's
    const size_t e = entry(firstOf("01dc"));
    PutLe32(b, e + 12, Le32At(b, e + 12) + 2);
    damaged.emplace_back("a wrong size", b);
  }
  {
    std::vector<uint8_t> b = bytes;  // a short index: the last five entries cut off
    PutLe32(b, idx1 + 4, static_cast<uint32_t>(16 * (entries - 5)));
    PutLe32(b, entry(entries - 5), recfmt::kJunk);
    PutLe32(b, entry(entries - 5) + 4, 16 * 5 - 8);
    damaged.emplace_back("a short index", b);
  }
  for (const auto& [what, b] : damaged) {
    const IndexedLoad load = LoadCounted(b);
    ASSERT_EQ(load.error, ScanError::None) << what;
    EXPECT_FALSE(load.usedIndex) << what;
    ExpectSameTables(expected, load.rec);
  }
}

TEST(AnnexBScannerTest, TheFirstSliceDecides) {
  using V = AnnexBScanner::Verdict;
  auto verdict = [](std::vector<uint8_t> b) { return AnnexBScanner::FirstSlice(b.data(), b.size()); };
  EXPECT_EQ(verdict(AccessUnit(true, 10, 20)), V::Idr);
  EXPECT_EQ(verdict(AccessUnit(false, 10)), V::NonIdr);
  EXPECT_EQ(verdict({0, 0, 1, 0x25, 9}), V::Idr);          // three-byte start code
  EXPECT_EQ(verdict({0, 0, 1, 0x67, 0, 0, 1, 0x68}), V::Unknown);  // parameter sets only
  EXPECT_EQ(verdict({0, 0, 1}), V::Unknown);
  EXPECT_EQ(verdict({}), V::Unknown);
  EXPECT_EQ(verdict({0x65, 0x65, 0, 2, 1, 0x65}), V::Unknown);  // no start code
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

TEST(KeyFrameProbeTest, EachCodecTellsItsKeyFrames) {
  using V = KeyFrameProbe::Verdict;
  auto probe = [](VideoCodec codec, std::vector<uint8_t> b) { return KeyFrameProbe::Probe(codec, b.data(), b.size()); };
  // H.265: VPS, SPS, PPS (32..34), then an IDR_W_RADL (19) or CRA (21)
  // slice; TRAIL_R (1) is not a key frame.
  EXPECT_EQ(probe(VideoCodec::H265, {0, 0, 0, 1, 0x40, 1, 0, 0, 1, 0x42, 1, 0, 0, 1, 0x44, 1, 0, 0, 1, 0x26, 1}), V::Idr);
  EXPECT_EQ(probe(VideoCodec::H265, {0, 0, 1, 0x2A, 1, 0xAF}), V::Idr);
  EXPECT_EQ(probe(VideoCodec::H265, {0, 0, 1, 0x02, 1, 0xD0}), V::NonIdr);
  EXPECT_EQ(probe(VideoCodec::H265, {0, 0, 1, 0x4E, 1, 5}), V::Unknown);  // SEI only
  // MPEG-4 Part 2: VOL header, then a VOP whose two first bits are 00 (I)
  // or 01 (P).
  EXPECT_EQ(probe(VideoCodec::Mpeg4, {0, 0, 1, 0x20, 0x08, 0, 0, 1, 0xB6, 0x10, 0x60}), V::Idr);
  EXPECT_EQ(probe(VideoCodec::Mpeg4, {0, 0, 1, 0xB6, 0x51, 0x60}), V::NonIdr);
  EXPECT_EQ(probe(VideoCodec::Mpeg4, {0, 0, 1, 0xB3, 0x10}), V::Unknown);
  EXPECT_EQ(probe(VideoCodec::Mjpeg, {0xFF, 0xD8}), V::Idr);
  EXPECT_EQ(probe(VideoCodec::H264, AccessUnit(true, 10)), V::Idr);
}

}  // namespace
}  // namespace zv
