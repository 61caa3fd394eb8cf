// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv {

// Random access to the bytes of a recording: a file, or memory for tests and
// fuzzing. ReadAt fails (returns false) for any range past the end.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  virtual bool ReadAt(uint64_t offset, void* dst, size_t count) const = 0;
};

}  // namespace zv
