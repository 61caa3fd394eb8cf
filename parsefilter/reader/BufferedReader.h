// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "reader/ByteSource.h"

namespace zv {

// Serves the many small reads of a front-to-back walk (chunk headers, the
// first bytes of frames) from one window of the source, refilled on demand.
class BufferedReader {
 public:
  explicit BufferedReader(const ByteSource& source, size_t windowSize = 512 * 1024);

  uint64_t Size() const { return source_.Size(); }
  // Copies [offset, offset + count) into dst; false past the end or on error.
  bool Read(uint64_t offset, void* dst, size_t count);
  // Reads up to `count` bytes at offset (fewer at the end of the source).
  size_t ReadSome(uint64_t offset, void* dst, size_t count);

 private:
  bool Fill(uint64_t offset);

  const ByteSource& source_;
  std::vector<uint8_t> window_;
  uint64_t windowStart_ = 0;
  size_t windowFill_ = 0;
};

}  // namespace zv
