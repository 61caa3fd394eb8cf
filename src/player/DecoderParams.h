// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zv {

// Parameter numbers of the video decoder's parameter interface.
inline constexpr int32_t kParamBrightnessEnable = 205;  // 1, sent before every brightness value
inline constexpr int32_t kParamBrightness = 202;        // -254 .. 254, 0 = unchanged
inline constexpr int32_t kParamMirrorEnable = 1101;     // 1, sent before every mirror value
inline constexpr int32_t kParamMirror = 1113;           // 1 = mirrored left to right, 0 = not

// The parameter interface of one channel's video decoder. Returns 0 on
// success and a negative result for a parameter it does not know.
class IDecoderParams {
 public:
  virtual ~IDecoderParams() = default;
  virtual int32_t PutParam(int32_t param, int32_t value) = 0;
};

}  // namespace zv
