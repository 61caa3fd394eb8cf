// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <variant>

#include "sensors/CGPSData.h"
#include "sensors/CGSensorData.h"
#include "sensors/SensorRecordArray.h"

namespace zv {

// Size of one sensor record as the parse filter hands it over.
constexpr size_t kSensorRecordSize = 1024;

// The sensor records of the open recording, in arrival order.
const SensorRecordArray<CGSensorData>& GSensorRecords();
const SensorRecordArray<CGPSData>& GpsRecords();

// One decoded record: a G-sensor sample, a GPS fix, or nothing for a record
// of another type.
using SensorRecordValue = std::variant<std::monostate, CGSensorData, CGPSData>;

// Decodes one record of kSensorRecordSize bytes: 'M' + three bytes is a
// G-sensor sample, 'G' starts a GPS text (ended by a zero byte, or cut at
// 1023 characters).
SensorRecordValue DecodeSensorRecord(const uint8_t* record, uint32_t timeMs);

// Decodes one record of kSensorRecordSize bytes and appends it to its array:
// 'M' + three bytes is a G-sensor sample, 'G' starts a GPS text (ended by a
// zero byte, or cut at 1023 characters). Other records are dropped. Always 0.
int DispatchSensorRecord(const uint8_t* record, uint32_t timeMs);

// Empties both arrays and releases their storage.
void ClearSensorRecords();

// A number that changes whenever either array changes, so that a picture
// drawn from them knows when it is out of date.
uint64_t SensorRecordsGeneration();

// The lookups of the periodic update. Each takes the first record, in
// storage order, whose timeMs is at or after `timeMs`; when no record lies at
// or after it, the last record (the end of a recording keeps its last fix
// and sample). Outputs are 0 and the result false only without records.
// G-sensor values are divided by 1000.
bool FindGSensor(uint32_t timeMs, float& x, float& y, float& z);
// False (speed 0) when the fix found is not valid.
bool FindSpeed(uint32_t timeMs, double& speedKmh);
// Degrees; false (both 0) when the fix found is not valid.
bool FindPosition(uint32_t timeMs, float& latitudeDeg, float& longitudeDeg);

// The fix that the lookup at `timeMs` selects in `records` when it is valid;
// null when there is none or it is not valid.
const CGPSData* ValidFixAt(const SensorRecordArray<CGPSData>& records, uint32_t timeMs);

}  // namespace zv
