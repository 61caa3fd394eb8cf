// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// One stream chunk of a recording: where its data lies and when it plays.
struct MediaChunk {
  uint64_t offset = 0;  // of the chunk's data, after its 8-byte header
  uint32_t size = 0;
  uint64_t timeNs = 0;
  uint64_t durationNs = 0;
  bool keyFrame = false;  // video: an IDR access unit; audio: always true
};

enum class VideoCodec { H264, H265, Mpeg4, Mjpeg };

// Key frames decide where a seek may start; MJPEG frames all are.
inline bool IsIntraOnly(VideoCodec codec) { return codec == VideoCodec::Mjpeg; }

struct VideoStream {
  uint32_t streamNumber = 0;  // the NN of its 'NNdc' chunks
  std::string name;
  VideoCodec codec = VideoCodec::H264;
  std::vector<uint8_t> codecData;  // strf bytes after the BITMAPINFOHEADER (MPEG-4: its headers)
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t rate = 30;  // frames per second = rate / scale
  uint32_t scale = 1;
  std::vector<MediaChunk> chunks;
};

enum class AudioCodec { Aac, Pcm, Mp3, ImaAdpcm };

struct AudioStream {
  uint32_t streamNumber = 0;
  std::string name;
  AudioCodec codec = AudioCodec::Aac;
  uint32_t sampleRate = 0;
  uint32_t channels = 0;
  uint32_t bitsPerSample = 16;        // PCM: 8, 16 or 24
  uint32_t blockAlign = 0;            // PCM: bytes per sample frame; ADPCM: bytes per block
  uint32_t samplesPerBlock = 1;       // PCM: 1; ADPCM: the samples a block decodes to
  // AAC and MP3: the samples one chunk holds (chunks of whole frames; the
  // stream header's chunk duration, dwScale / dwRate, tells how many).
  // 0 for PCM and ADPCM, whose chunks count by their size.
  uint32_t samplesPerChunk = 0;
  std::vector<uint8_t> codecData;     // AAC: the AudioSpecificConfig
  std::vector<MediaChunk> chunks;

  // The samples a chunk of `size` bytes holds.
  uint64_t SamplesIn(uint32_t size) const {
    if (samplesPerChunk > 0) return samplesPerChunk;
    return blockAlign > 0 ? static_cast<uint64_t>(size / blockAlign) * samplesPerBlock : 0;
  }
};

// A sensor record: its time and where its bytes lie in Recording::recordBytes.
struct SensorRecord {
  uint32_t timeMs = 0;
  uint64_t fileOffset = 0;  // of the chunk's data
  size_t dataOffset = 0;
  uint32_t size = 0;
};

// Everything the reader found in a recording.
struct Recording {
  std::vector<VideoStream> video;  // the front channel first, at most two
  std::optional<AudioStream> audio;
  std::vector<SensorRecord> records;  // in file order
  std::vector<uint8_t> recordBytes;
  uint64_t durationNs = 0;  // front-video chunks times the frame duration

  // The most of one record's bytes that is kept; a longer record is cut.
  static constexpr size_t kMaxStoredRecordBytes = 64 * 1024;
  // Appends a record (its bytes cut at kMaxStoredRecordBytes).
  void AddRecord(uint32_t timeMs, uint64_t fileOffset, const uint8_t* bytes, size_t size) {
    size = size < kMaxStoredRecordBytes ? size : kMaxStoredRecordBytes;
    size_t dataOffset = recordBytes.size();
    recordBytes.insert(recordBytes.end(), bytes, bytes + size);
    records.push_back(SensorRecord{timeMs, fileOffset, dataOffset, static_cast<uint32_t>(size)});
  }
};

}  // namespace zv
