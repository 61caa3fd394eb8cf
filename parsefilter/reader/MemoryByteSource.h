// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstring>
#include <vector>

#include "reader/ByteSource.h"

namespace zv {

// A recording held in memory (fuzzing and unit tests).
class MemoryByteSource : public ByteSource {
 public:
  MemoryByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, void* dst, size_t count) const override {
    if (offset > size_ || count > size_ - offset) return false;
    if (count > 0) std::memcpy(dst, data_ + offset, count);
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace zv
