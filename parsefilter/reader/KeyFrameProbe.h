// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#include "reader/AnnexBScanner.h"
#include "reader/Recording.h"

namespace zv {

// Tells whether a video chunk starts a picture that decoding can begin at,
// from its first bytes: H.264 IDR and H.265 random access pictures by their
// NAL types, MPEG-4 Part 2 by the coding type of its first VOP (I), MJPEG
// always. Unknown when the bytes given do not reach far enough.
class KeyFrameProbe {
 public:
  using Verdict = AnnexBScanner::Verdict;
  static Verdict Probe(VideoCodec codec, const uint8_t* data, size_t size);

 private:
  static Verdict FirstVop(const uint8_t* data, size_t size);
};

}  // namespace zv
