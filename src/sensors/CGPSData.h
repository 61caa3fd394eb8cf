// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// One GPS fix of a recording, as read from its RMC-style text.
struct CGPSData {
  int32_t year = 0;        // two digits, 0 .. 99
  int32_t month = 0;
  int32_t day = 0;
  int32_t hour = 0;        // UTC hour + 9, so 9 .. 32
  int32_t minute = 0;
  int32_t second = 0;
  int32_t valid = 0;       // 1 when the fix status is "A"
  double latitude = 0;     // ddmm.mmmm, negative in the south
  double longitude = 0;    // dddmm.mmmm, negative in the west
  double speedKmh = 0;     // knots x 1.852, held at single precision
  double course = 0;       // as sent, held at single precision
  int64_t localTime = 0;   // seconds since 1970 of date and shifted time as local time; 0 if not computed
  uint32_t timeMs = 0;     // stream time from the start of the recording
};
