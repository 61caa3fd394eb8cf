// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "sensors/CGSensorData.h"

namespace zv {

// Moments where the car was jolted: hard braking, a swerve, a knock. The
// resting level of each axis is its median over the recording (it holds the
// sensor's mounting angle), and a sample's jolt is the length, in g, of its
// difference from that level. Every run of samples whose jolt exceeds
// `thresholdG` gives one event at its strongest sample; events less than a
// second apart are one. Times in milliseconds, in order. A threshold of 0 or
// less finds nothing.
std::vector<uint32_t> FindGsensorEvents(const std::vector<CGSensorData>& samples, double thresholdG);

}  // namespace zv
