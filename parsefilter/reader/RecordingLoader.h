// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "reader/ByteSource.h"
#include "reader/Recording.h"
#include "reader/ScanError.h"

namespace zv {

// Loads a recording the quickest sound way: from its index when the index
// is whole and agrees with the file (AviIndexLoader), else by walking the
// chunk headers (RecordingScanner), which also serves files cut short.
class RecordingLoader {
 public:
  explicit RecordingLoader(const ByteSource& source) : source_(source) {}

  ScanError Load(Recording& out);
  bool usedIndex() const { return usedIndex_; }
  // Why the index could not be used (nullptr when it was).
  const char* indexRejection() const { return indexRejection_; }

 private:
  const ByteSource& source_;
  bool usedIndex_ = false;
  const char* indexRejection_ = nullptr;
};

}  // namespace zv
