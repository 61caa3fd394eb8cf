#pragma once

#include <cstddef>
#include <cstdint>

namespace zv {

// Tells key frames from the NAL unit types of an H.264 access unit in Annex B
// byte-stream form: the first coded slice decides (type 5 is an IDR picture,
// type 1 is not). Parameter sets, SEI and delimiters before it are skipped.
class AnnexBScanner {
 public:
  enum class Verdict { Idr, NonIdr, Unknown };

  // The verdict of the first slice NAL unit that starts in data[0, size).
  static Verdict FirstSlice(const uint8_t* data, size_t size);
};

}  // namespace zv
