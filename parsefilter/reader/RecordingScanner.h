// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/BufferedReader.h"
#include "reader/ByteSource.h"
#include "reader/Recording.h"
#include "reader/ScanError.h"
#include "reader/StreamCatalog.h"

namespace zv {

// Walks a recording front to back without its index: the RIFF parts, the
// header list and every 'movi' list chunk by chunk. Only chunk headers, the
// first bytes of video chunks (to tell key frames) and sensor records are
// read, with small positioned reads. Every size is checked against the end
// of the source; a chunk cut short ends the walk. This is the way through a
// file whose index is missing or damaged (a recorder that lost power).
class RecordingScanner {
 public:
  explicit RecordingScanner(const ByteSource& source);
  ScanError Scan(Recording& out);

  // The window of the walk's reads: one chunk header and the start of its
  // data, so that the payloads are not read.
  static constexpr size_t kWindowSize = 1024;

 private:
  struct ChunkHeader {
    uint32_t id = 0;
    uint32_t size = 0;
    uint64_t dataPos = 0;
    uint64_t end = 0;  // dataPos + size
  };
  enum class Step { Continue, Stop, Fail };

  Step VisitChunk(const ChunkHeader& chunk, uint64_t& pos);
  Step VisitContainer(const ChunkHeader& chunk, uint32_t type, uint64_t& pos);
  ScanError ReadHeaderList(const ChunkHeader& chunk);
  void VisitMediaChunk(const ChunkHeader& chunk);
  void AddSensorRecord(const ChunkHeader& chunk);
  bool IsKeyFrame(VideoCodec codec, const ChunkHeader& chunk);

  BufferedReader reader_;
  Recording* out_ = nullptr;
  StreamCatalog catalog_;
  bool haveHeaders_ = false;
  bool inMovie_ = false;
  ScanError failure_ = ScanError::None;
  std::vector<uint8_t> scratch_;
};

}  // namespace zv
