// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "sensors/CGPSData.h"

namespace zv {

// Fills `fix` from a comma-separated, RMC-style GPS text (at most its first
// 1023 characters are read). Field 0 is the sentence name; fields 1 to 9 are
// time, status, latitude, N/S, longitude, E/W, speed in knots, course and
// date. False when the text ends before field 9; the fields read until then
// keep their values and `localTime` stays 0.
bool ParseGpsText(CGPSData& fix, uint32_t timeMs, const char* text);

// ddmm.mmmm (or dddmm.mmmm) to decimal degrees; the sign carries through.
double NmeaToDegrees(double value);

}  // namespace zv
