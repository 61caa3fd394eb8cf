// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Raw units per g (9.81 m/s²): the recorder's sensor gives 8-bit values over
// a range of ±2 g, which is what the graph's "2" and "-2" lines mark.
inline constexpr double kGsensorRawPerG = 64.0;

// One G-sensor sample of a recording, in raw units (-127 .. 128).
struct CGSensorData {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;
  uint32_t timeMs = 0;  // stream time from the start of the recording
};
