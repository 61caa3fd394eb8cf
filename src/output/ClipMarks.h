// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace zv {

// The start and end of a clip of the open recording, set with the keys I and
// O, in milliseconds. A mark that would put the end at or before the start
// drops the other mark.
class ClipMarks {
 public:
  struct Range {
    int64_t startMs = 0;
    int64_t endMs = 0;
  };

  void Clear() { in_.reset(), out_.reset(); }
  void SetIn(int64_t ms);
  void SetOut(int64_t ms);
  std::optional<int64_t> In() const { return in_; }
  std::optional<int64_t> Out() const { return out_; }

  // What a clip of a recording of `durationMs` covers: from the in mark (or
  // the start) to the out mark (or the end), held within the recording.
  Range RangeIn(int64_t durationMs) const;

 private:
  std::optional<int64_t> in_, out_;
};

}  // namespace zv
