#pragma once

#include <cstdint>

// One G-sensor sample of a recording, in raw units (-127 .. 128).
struct CGSensorData {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;
  uint32_t timeMs = 0;  // stream time from the start of the recording
};
