// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary records to DispatchSensorRecord as the parse filter hands
// them over (1024 bytes, the input's bytes first, zeros after). Each record
// is added to exactly one of the two stores, or to neither.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "sensors/SensorRecords.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t record[zv::kSensorRecordSize] = {};
  std::memcpy(record, data, std::min(size, sizeof record));
  zv::ClearSensorRecords();
  const uint64_t generation = zv::SensorRecordsGeneration();
  zv::DispatchSensorRecord(record, 77);
  Require(zv::SensorRecordsGeneration() == generation + 1);
  const size_t samples = zv::GSensorRecords().Count(), fixes = zv::GpsRecords().Count();
  Require(samples + fixes <= 1);
  Require(samples == (record[0] == 'M' ? 1u : 0u) && fixes == (record[0] == 'G' ? 1u : 0u));
  if (samples) {
    const CGSensorData& s = zv::GSensorRecords()[0];
    Require(s.timeMs == 77 && s.x >= -127 && s.x <= 128 && s.y >= -127 && s.y <= 128);
    float x, y, z;
    Require(zv::FindGSensor(77, x, y, z) && std::fabs(x) < 1);
  }
  if (fixes) {
    const CGPSData& f = zv::GpsRecords()[0];
    Require(f.timeMs == 77 && std::isfinite(f.latitude) && std::isfinite(f.longitude));
  }
  return 0;
}
