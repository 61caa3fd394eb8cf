#pragma once

#include <string>

#include "reader/FileByteSource.h"
#include "reader/Recording.h"
#include "reader/RecordingScanner.h"

namespace zv {

// A recording file opened for playback: scanned once by Open, then its
// chunks are read by offset (from any thread).
class RecordingReader {
 public:
  // Scans the file; false with error() set when it is not a recording.
  bool Open(const std::string& path);

  ScanError error() const { return error_; }
  const char* errorMessage() const { return ScanErrorMessage(error_); }
  // The errno of a file that could not be opened, else 0.
  int openErrno() const { return openErrno_; }
  const Recording& recording() const { return recording_; }

  // Copies a chunk's data into dst (chunk.size bytes).
  bool ReadChunk(const MediaChunk& chunk, uint8_t* dst) const;

 private:
  FileByteSource file_;
  Recording recording_;
  ScanError error_ = ScanError::None;
  int openErrno_ = 0;
};

}  // namespace zv
