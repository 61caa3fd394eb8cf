// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlaybackSettings.h"

#include <algorithm>

namespace zv {

int32_t VolumePercentFromLevel(int32_t level) { return std::clamp(level * 10 - 1, 0, 99); }

// The constants are single-precision numbers; the arithmetic runs in double
// precision and only the result is rounded to single precision (which is why
// 50 gives 0.99999994 and not 1).
float RateFromSpeedSlider(int32_t position) {
  const double slope = 0.018f, base = 0.1f, fastSlope = 0.06f;
  if (position <= 50) return static_cast<float>(position * slope + base);
  return static_cast<float>((position - 50) * fastSlope + 1.0);
}

}  // namespace zv
