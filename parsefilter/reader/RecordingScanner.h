#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/BufferedReader.h"
#include "reader/ByteSource.h"
#include "reader/Recording.h"
#include "reader/StreamHeaderParser.h"

namespace zv {

enum class ScanError {
  None,
  Unreadable,         // the bytes could not be read
  NotAvi,             // no RIFF 'AVI ' at the start
  IncompleteHeaders,  // the header list is missing, cut short or unusable
  NoVideoStream,      // no H.264 video stream in the headers
  NoFrontVideoChunk,  // the front channel has no whole chunk
};

const char* ScanErrorMessage(ScanError error);

// Walks a recording front to back: the RIFF parts, the header list and every
// 'movi' list chunk by chunk (no index needed). Every size is checked against
// the end of the source; a chunk cut short ends the walk.
class RecordingScanner {
 public:
  explicit RecordingScanner(const ByteSource& source);
  ScanError Scan(Recording& out);

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
  ScanError SelectStreams(const StreamHeaderParser& headers);
  void VisitMediaChunk(const ChunkHeader& chunk);
  void AddVideoChunk(VideoStream& stream, const ChunkHeader& chunk);
  void AddSensorRecord(const ChunkHeader& chunk);
  bool IsKeyFrame(const ChunkHeader& chunk);
  void AssignTimes();

  BufferedReader reader_;
  Recording* out_ = nullptr;
  bool haveHeaders_ = false;
  bool inMovie_ = false;
  ScanError failure_ = ScanError::None;
  // Stream number -> slot: 0/1 video channel, 2 audio, -1 not played.
  std::vector<int> slotOfStream_;
  std::vector<uint8_t> scratch_;
};

}  // namespace zv
