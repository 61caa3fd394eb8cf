// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the GPS text parser. Beyond the sanitizers'
// checks: whatever it reads is finite, and a speed or course that single
// precision cannot hold is not taken.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sensors/GpsText.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool HeldBySinglePrecision(double value) { return std::isfinite(static_cast<float>(value)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // ends in a zero byte
  CGPSData fix;
  zv::ParseGpsText(fix, 1234, text.c_str());
  Require(fix.timeMs == 1234);
  Require(std::isfinite(fix.latitude) && std::isfinite(fix.longitude));
  Require(HeldBySinglePrecision(fix.speedKmh) && HeldBySinglePrecision(fix.course));
  Require(fix.valid == 0 || fix.valid == 1);
  zv::NmeaToDegrees(fix.latitude);
  return 0;
}
