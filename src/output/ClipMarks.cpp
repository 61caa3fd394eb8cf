// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ClipMarks.h"

#include <algorithm>

namespace zv {

void ClipMarks::SetIn(int64_t ms) {
  in_ = std::max<int64_t>(ms, 0);
  if (out_ && *out_ <= *in_) out_.reset();
}

void ClipMarks::SetOut(int64_t ms) {
  out_ = std::max<int64_t>(ms, 0);
  if (in_ && *in_ >= *out_) in_.reset();
}

ClipMarks::Range ClipMarks::RangeIn(int64_t durationMs) const {
  const int64_t end = std::clamp<int64_t>(out_.value_or(durationMs), 0, durationMs);
  return {std::clamp<int64_t>(in_.value_or(0), 0, end), end};
}

}  // namespace zv
