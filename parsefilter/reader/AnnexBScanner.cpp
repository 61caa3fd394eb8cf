#include "reader/AnnexBScanner.h"

namespace zv {

namespace {
constexpr uint8_t kNalSlice = 1;
constexpr uint8_t kNalIdrSlice = 5;
}  // namespace

AnnexBScanner::Verdict AnnexBScanner::FirstSlice(const uint8_t* data, size_t size) {
  // A start code is 00 00 01 (a four-byte 00 00 00 01 ends the same way);
  // the NAL header byte follows it.
  for (size_t i = 0; i + 3 < size; ++i) {
    if (data[i + 2] > 1) {
      i += 2;  // no start code can end at i + 2 or before
      continue;
    }
    if (data[i] != 0 || data[i + 1] != 0 || data[i + 2] != 1) continue;
    uint8_t type = data[i + 3] & 0x1F;
    if (type == kNalIdrSlice) return Verdict::Idr;
    if (type == kNalSlice) return Verdict::NonIdr;
    i += 2;
  }
  return Verdict::Unknown;
}

}  // namespace zv
