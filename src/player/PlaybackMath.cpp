// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlaybackMath.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zv {

int32_t VolumeLevelFromPercent(int32_t percent) {
  const double x = 1e-10;
  const float fraction = static_cast<float>(percent) / 100.0f;
  return static_cast<int32_t>(1000.0 * std::log10(x + fraction * (1.0 - x)));
}

double LinearVolumeFromLevel(int32_t level) {
  if (level <= -10000) return 0.0;
  return std::pow(10.0, level / 2000.0);
}

int32_t BrightnessValueFromOffset(int32_t offset) {
  // The factor is a single-precision 5.1 (5.099999904...), the product is
  // taken in double precision: 50 gives 254, 10 gives 50.
  const double factor = 5.1f;
  return static_cast<int32_t>(offset * factor);
}

float PlayableRate(float requested) {
  if (requested == 1.0f) return 1.0f;
  return std::max(0.5f, std::min(2.0f, requested));
}

std::vector<unsigned> ShareDecoderThreads(unsigned processors, const std::vector<double>& pictureSizes) {
  double known = 0;
  int counted = 0;
  for (double size : pictureSizes)
    if (size > 0) known += size, ++counted;
  const double unknown = counted ? known / counted : 1;
  std::vector<double> weights;
  for (double size : pictureSizes) weights.push_back(size > 0 ? size : unknown);
  const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
  std::vector<unsigned> threads;
  for (double w : weights) threads.push_back(std::max(1u, static_cast<unsigned>(std::lround(processors * w / total))));
  return threads;
}

}  // namespace zv
