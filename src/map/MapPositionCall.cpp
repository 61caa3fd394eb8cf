// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapPositionCall.h"

#include "sensors/GpsText.h"

namespace zv {

QString PositionChangeCallText(double latitudeDeg, double longitudeDeg) {
  // QString::asprintf formats in the C locale.
  return QString::asprintf("javascript:positionChange('%lf', '%lf')", latitudeDeg, longitudeDeg);
}

std::optional<QString> MapPositionCall(const SensorRecordArray<CGPSData>& records,
                                       uint32_t positionMs) {
  const size_t index = records.IndexForTime(positionMs);
  if (index == SensorRecordArray<CGPSData>::npos) return std::nullopt;
  const CGPSData& fix = records[index];
  if (!fix.valid) return std::nullopt;
  return PositionChangeCallText(NmeaToDegrees(fix.latitude), NmeaToDegrees(fix.longitude));
}

}  // namespace zv
