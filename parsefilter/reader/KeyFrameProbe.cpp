// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/KeyFrameProbe.h"

namespace zv {

namespace {
constexpr uint8_t kVopStartCode = 0xB6;
constexpr uint8_t kIntraVop = 0;
}  // namespace

KeyFrameProbe::Verdict KeyFrameProbe::Probe(VideoCodec codec, const uint8_t* data, size_t size) {
  switch (codec) {
    case VideoCodec::H264: return AnnexBScanner::FirstSlice(data, size);
    case VideoCodec::H265: return AnnexBScanner::FirstHevcSlice(data, size);
    case VideoCodec::Mpeg4: return FirstVop(data, size);
    case VideoCodec::Mjpeg: return Verdict::Idr;
  }
  return Verdict::Unknown;
}

// 00 00 01 B6 starts a VOP; the two bits after it are its coding type.
KeyFrameProbe::Verdict KeyFrameProbe::FirstVop(const uint8_t* data, size_t size) {
  for (size_t i = 0; i + 4 < size; ++i) {
    if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1 && data[i + 3] == kVopStartCode)
      return (data[i + 4] >> 6) == kIntraVop ? Verdict::Idr : Verdict::NonIdr;
  }
  return Verdict::Unknown;
}

}  // namespace zv
