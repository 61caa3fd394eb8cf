#include "app/PlaybackSettings.h"

#include <algorithm>

namespace zv {

int32_t VolumePercentFromLevel(int32_t level) { return std::clamp(level * 10 - 1, 0, 99); }

float RateFromSpeedSlider(int32_t position) {
  const float p = static_cast<float>(position);
  if (position <= 50) return p * 0.018f + 0.1f;
  return (p - 50.0f) * 0.06f + 1.0f;
}

}  // namespace zv
