// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <string>

#include "reader/FileByteSource.h"
#include "reader/Recording.h"
#include "reader/ScanError.h"

namespace zv {

// A recording file opened for playback: loaded once by Open (from its index,
// or by a scan of its chunk headers), then its chunks are read by offset
// (from any thread).
class RecordingReader {
 public:
  // Loads the file; false with error() set when it is not a recording.
  bool Open(const std::string& path);

  ScanError error() const { return error_; }
  const char* errorMessage() const { return ScanErrorMessage(error_); }
  // The errno of a file that could not be opened, else 0.
  int openErrno() const { return openErrno_; }
  const Recording& recording() const { return recording_; }

  // What the load did: whether the index served, why not, and what it read.
  bool usedIndex() const { return usedIndex_; }
  const char* indexRejection() const { return indexRejection_; }
  uint64_t loadBytesRead() const { return loadBytesRead_; }
  uint64_t loadReads() const { return loadReads_; }
  uint64_t fileSize() const { return file_.Size(); }

  // Copies a chunk's data into dst (chunk.size bytes).
  bool ReadChunk(const MediaChunk& chunk, uint8_t* dst) const;

 private:
  FileByteSource file_;
  Recording recording_;
  ScanError error_ = ScanError::None;
  int openErrno_ = 0;
  bool usedIndex_ = false;
  const char* indexRejection_ = nullptr;
  uint64_t loadBytesRead_ = 0;
  uint64_t loadReads_ = 0;
};

}  // namespace zv
