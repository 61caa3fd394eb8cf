// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zv {

// The volume the player gets for a volume-control level (0 .. 10):
// level × 10 − 1, held to 0 .. 99.
int32_t VolumePercentFromLevel(int32_t level);

// The playback rate for a speed-slider position (0 .. 100) in single
// precision: p × 0.018 + 0.1 up to 50, (p − 50) × 0.06 + 1 above, so 50
// gives 0.99999994, 0 gives 0.1 and 100 gives 4.0.
float RateFromSpeedSlider(int32_t position);

}  // namespace zv
