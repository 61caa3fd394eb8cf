// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/AnnexBScanner.h"

namespace zv {

namespace {
constexpr uint8_t kNalSlice = 1;
constexpr uint8_t kNalIdrSlice = 5;
constexpr uint8_t kHevcLastNonRapSlice = 9;
constexpr uint8_t kHevcFirstRap = 16;
constexpr uint8_t kHevcLastRap = 21;
}  // namespace

template <typename Decide>
AnnexBScanner::Verdict AnnexBScanner::Scan(const uint8_t* data, size_t size, Decide decide) {
  // A start code is 00 00 01 (a four-byte 00 00 00 01 ends the same way);
  // the NAL header byte follows it.
  for (size_t i = 0; i + 3 < size; ++i) {
    if (data[i + 2] > 1) {
      i += 2;  // no start code can end at i + 2 or before
      continue;
    }
    if (data[i] != 0 || data[i + 1] != 0 || data[i + 2] != 1) continue;
    Verdict verdict = decide(data[i + 3]);
    if (verdict != Verdict::Unknown) return verdict;
    i += 2;
  }
  return Verdict::Unknown;
}

AnnexBScanner::Verdict AnnexBScanner::FirstSlice(const uint8_t* data, size_t size) {
  return Scan(data, size, [](uint8_t header) {
    uint8_t type = header & 0x1F;
    if (type == kNalIdrSlice) return Verdict::Idr;
    if (type == kNalSlice) return Verdict::NonIdr;
    return Verdict::Unknown;
  });
}

AnnexBScanner::Verdict AnnexBScanner::FirstHevcSlice(const uint8_t* data, size_t size) {
  return Scan(data, size, [](uint8_t header) {
    uint8_t type = (header >> 1) & 0x3F;
    if (type >= kHevcFirstRap && type <= kHevcLastRap) return Verdict::Idr;
    if (type <= kHevcLastNonRapSlice) return Verdict::NonIdr;
    return Verdict::Unknown;
  });
}

}  // namespace zv
