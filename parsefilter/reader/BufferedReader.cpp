// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/BufferedReader.h"

#include <algorithm>
#include <cstring>

namespace zv {

BufferedReader::BufferedReader(const ByteSource& source, size_t windowSize)
    : source_(source), window_(windowSize) {}

bool BufferedReader::Fill(uint64_t offset) {
  uint64_t size = source_.Size();
  if (offset >= size) return false;
  size_t n = static_cast<size_t>(std::min<uint64_t>(window_.size(), size - offset));
  if (!source_.ReadAt(offset, window_.data(), n)) {
    windowFill_ = 0;
    return false;
  }
  windowStart_ = offset;
  windowFill_ = n;
  return true;
}

bool BufferedReader::Read(uint64_t offset, void* dst, size_t count) {
  uint64_t size = source_.Size();
  if (offset > size || count > size - offset) return false;
  if (count == 0) return true;
  if (count > window_.size() / 2) return source_.ReadAt(offset, dst, count);
  bool inWindow = offset >= windowStart_ && offset - windowStart_ + count <= windowFill_;
  if (!inWindow && !Fill(offset)) return false;
  std::memcpy(dst, window_.data() + (offset - windowStart_), count);
  return true;
}

size_t BufferedReader::ReadSome(uint64_t offset, void* dst, size_t count) {
  uint64_t size = source_.Size();
  if (offset >= size) return 0;
  size_t n = static_cast<size_t>(std::min<uint64_t>(count, size - offset));
  return Read(offset, dst, n) ? n : 0;
}

}  // namespace zv
