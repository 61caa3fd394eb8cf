// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <atomic>
#include <cstdint>

#include "reader/ByteSource.h"

namespace zv {

// Passes reads through to another source and counts them: how many reads
// and how many bytes. It measures what a load really reads.
class CountingByteSource : public ByteSource {
 public:
  explicit CountingByteSource(const ByteSource& source) : source_(source) {}

  uint64_t Size() const override { return source_.Size(); }
  bool ReadAt(uint64_t offset, void* dst, size_t count) const override {
    bytes_.fetch_add(count, std::memory_order_relaxed);
    reads_.fetch_add(1, std::memory_order_relaxed);
    return source_.ReadAt(offset, dst, count);
  }

  uint64_t bytesRead() const { return bytes_.load(); }
  uint64_t reads() const { return reads_.load(); }

 private:
  const ByteSource& source_;
  mutable std::atomic<uint64_t> bytes_{0};
  mutable std::atomic<uint64_t> reads_{0};
};

}  // namespace zv
