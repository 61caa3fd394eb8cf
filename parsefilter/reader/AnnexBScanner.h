// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv {

// Tells key frames from the NAL types of an access unit in Annex B
// byte-stream form: the first coded slice decides. Parameter sets, SEI and
// delimiters before it are skipped.
class AnnexBScanner {
 public:
  enum class Verdict { Idr, NonIdr, Unknown };

  // H.264: the first slice NAL unit that starts in data[0, size); type 5 is
  // an IDR picture, type 1 is not.
  static Verdict FirstSlice(const uint8_t* data, size_t size);
  // H.265: the first coded slice; types 16 to 21 are random access points
  // (IDR, CRA, BLA), types 0 to 9 are not.
  static Verdict FirstHevcSlice(const uint8_t* data, size_t size);

 private:
  // Calls `decide` with the first byte after each start code until it gives
  // a verdict other than Unknown.
  template <typename Decide>
  static Verdict Scan(const uint8_t* data, size_t size, Decide decide);
};

}  // namespace zv
