// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "sensors/CGPSData.h"
#include "sensors/SensorRecordArray.h"

namespace zv {

// "javascript:positionChange('<lat>', '<lng>')" with both in decimal degrees,
// six decimals and a point whatever the locale.
QString PositionChangeCallText(double latitudeDeg, double longitudeDeg);

// The call that moves the map marker to the fix of a playback position: the
// first record at or after `positionMs`, or the last record after the end of
// the records. Nothing without records or when the fix is not valid, so the
// marker stays where it was.
std::optional<QString> MapPositionCall(const SensorRecordArray<CGPSData>& records,
                                       uint32_t positionMs);

}  // namespace zv
