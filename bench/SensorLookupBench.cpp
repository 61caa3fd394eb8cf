// SPDX-License-Identifier: GPL-3.0-or-later
// The lookups of one periodic-update tick (G-sensor, speed, position) over
// the records of a one-hour recording: 36,000 G-sensor samples (10 a second)
// and 3,600 GPS fixes (one a second).
#include <chrono>
#include <cstdio>
#include <cstring>

#include "sensors/SensorRecords.h"

namespace {

constexpr uint32_t kHourMs = 3600 * 1000;
constexpr uint32_t kTickMs = 200;  // the period of the update timer
constexpr int kRounds = 20;

void LoadOneHour() {
  zv::ClearSensorRecords();
  uint8_t record[zv::kSensorRecordSize];
  for (uint32_t t = 0; t < kHourMs; t += 100) {
    std::memset(record, 0, sizeof record);
    record[0] = 'M';
    record[1] = static_cast<uint8_t>(t);
    record[2] = static_cast<uint8_t>(t >> 8);
    record[3] = 0x80;
    zv::DispatchSensorRecord(record, t);
    if (t % 1000 == 0) {
      std::memset(record, 0, sizeof record);
      std::snprintf(reinterpret_cast<char*>(record), sizeof record,
                    "GPRMC,%02u%02u%02u.000,A,3730.%04u,N,12659.2500,E,%u.5,87.3,310124,,,A*6C",
                    t / 3600000, (t / 60000) % 60, (t / 1000) % 60, (t / 1000) % 10000,
                    (t / 1000) % 80);
      zv::DispatchSensorRecord(record, t);
    }
  }
}

}  // namespace

int main() {
  LoadOneHour();
  float x, y, z, lat, lon;
  double speed;
  double sink = 0;
  long ticks = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < kRounds; ++round) {
    // Positions spread over the whole hour, a little past each record.
    for (uint32_t t = static_cast<uint32_t>(round) * 7; t < kHourMs; t += kTickMs, ++ticks) {
      zv::FindGSensor(t, x, y, z);
      zv::FindSpeed(t, speed);
      zv::FindPosition(t, lat, lon);
      sink += x + y + z + speed + lat + lon;
    }
  }
  const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
  std::printf("lookup_gsensor_records: %zu\n", zv::GSensorRecords().Count());
  std::printf("lookup_gps_records: %zu\n", zv::GpsRecords().Count());
  std::printf("lookup_tick_microseconds: %.4f\n", elapsed.count() / static_cast<double>(ticks));
  if (sink == 0.123) std::printf("\n");  // keeps the work from being optimised away
  return 0;
}
