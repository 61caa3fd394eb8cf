// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/SensorRecords.h"

#include <cstring>

#include "sensors/GpsText.h"

namespace zv {
namespace {

SensorRecordArray<CGSensorData>& GSensorStore() {
  static SensorRecordArray<CGSensorData> records;
  return records;
}

SensorRecordArray<CGPSData>& GpsStore() {
  static SensorRecordArray<CGPSData> records;
  return records;
}

uint64_t g_generation = 0;

// A G-sensor byte: (b XOR 0xFF) - 127, so 0xFF is -127, 0x80 is 0, 0x00 is 128.
int32_t DecodeAxis(uint8_t b) { return static_cast<int32_t>(b ^ 0xFFu) - 127; }

}  // namespace

const SensorRecordArray<CGSensorData>& GSensorRecords() { return GSensorStore(); }
const SensorRecordArray<CGPSData>& GpsRecords() { return GpsStore(); }

SensorRecordValue DecodeSensorRecord(const uint8_t* record, uint32_t timeMs) {
  if (!record) return {};
  if (record[0] == 'M') {
    CGSensorData sample;
    sample.x = DecodeAxis(record[1]);
    sample.y = DecodeAxis(record[2]);
    sample.z = DecodeAxis(record[3]);
    sample.timeMs = timeMs;
    return sample;
  }
  if (record[0] == 'G') {
    // The text ends at the first zero byte, or after 1023 characters when the
    // record has none.
    char text[kSensorRecordSize];
    std::memcpy(text, record, kSensorRecordSize - 1);
    text[kSensorRecordSize - 1] = '\0';
    CGPSData fix;
    ParseGpsText(fix, timeMs, text);
    return fix;
  }
  return {};
}

int DispatchSensorRecord(const uint8_t* record, uint32_t timeMs) {
  const SensorRecordValue value = DecodeSensorRecord(record, timeMs);
  if (const auto* sample = std::get_if<CGSensorData>(&value)) GSensorStore().Append(*sample);
  else if (const auto* fix = std::get_if<CGPSData>(&value)) GpsStore().Append(*fix);
  ++g_generation;
  return 0;
}

void ClearSensorRecords() {
  GSensorStore().Clear();
  GpsStore().Clear();
  ++g_generation;
}

uint64_t SensorRecordsGeneration() { return g_generation; }

bool FindGSensor(uint32_t timeMs, float& x, float& y, float& z) {
  x = y = z = 0;
  const auto& records = GSensorStore();
  const size_t index = records.IndexForTime(timeMs);
  if (index == records.npos) return false;
  const CGSensorData& sample = records[index];
  x = static_cast<float>(sample.x) / 1000.0f;
  y = static_cast<float>(sample.y) / 1000.0f;
  z = static_cast<float>(sample.z) / 1000.0f;
  return true;
}

const CGPSData* ValidFixAt(const SensorRecordArray<CGPSData>& records, uint32_t timeMs) {
  const size_t index = records.IndexForTime(timeMs);
  if (index == records.npos || records[index].valid == 0) return nullptr;
  return &records[index];
}

bool FindSpeed(uint32_t timeMs, double& speedKmh) {
  speedKmh = 0;
  const CGPSData* fix = ValidFixAt(GpsStore(), timeMs);
  if (!fix) return false;
  speedKmh = fix->speedKmh;
  return true;
}

bool FindPosition(uint32_t timeMs, float& latitudeDeg, float& longitudeDeg) {
  latitudeDeg = longitudeDeg = 0;
  const CGPSData* fix = ValidFixAt(GpsStore(), timeMs);
  if (!fix) return false;
  latitudeDeg = static_cast<float>(NmeaToDegrees(fix->latitude));
  longitudeDeg = static_cast<float>(NmeaToDegrees(fix->longitude));
  return true;
}

}  // namespace zv
