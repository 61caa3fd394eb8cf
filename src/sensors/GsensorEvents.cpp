// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/GsensorEvents.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zv {
namespace {

constexpr uint32_t kMergeWithinMs = 1000;

int32_t Median(std::vector<int32_t> values) {
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

std::array<int32_t, 3> RestingLevel(const std::vector<CGSensorData>& samples) {
  std::array<std::vector<int32_t>, 3> axes;
  for (auto& axis : axes) axis.reserve(samples.size());
  for (const CGSensorData& s : samples) {
    axes[0].push_back(s.x);
    axes[1].push_back(s.y);
    axes[2].push_back(s.z);
  }
  return {Median(std::move(axes[0])), Median(std::move(axes[1])), Median(std::move(axes[2]))};
}

double JoltG(const CGSensorData& s, const std::array<int32_t, 3>& rest) {
  const double dx = s.x - rest[0], dy = s.y - rest[1], dz = s.z - rest[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz) / kGsensorRawPerG;
}

}  // namespace

std::vector<uint32_t> FindGsensorEvents(const std::vector<CGSensorData>& samples, double thresholdG) {
  std::vector<uint32_t> events;
  if (samples.empty() || thresholdG <= 0) return events;
  const std::array<int32_t, 3> rest = RestingLevel(samples);
  double peak = 0;  // of the run in progress; 0 when none is
  uint32_t peakTime = 0, lastOver = 0;
  auto closeRun = [&] {
    if (peak > 0) events.push_back(peakTime);
    peak = 0;
  };
  for (const CGSensorData& s : samples) {
    const double jolt = JoltG(s, rest);
    if (jolt <= thresholdG) continue;
    if (peak > 0 && s.timeMs > lastOver + kMergeWithinMs) closeRun();
    if (jolt > peak) {
      peak = jolt;
      peakTime = s.timeMs;
    }
    lastOver = s.timeMs;
  }
  closeRun();
  return events;
}

}  // namespace zv
