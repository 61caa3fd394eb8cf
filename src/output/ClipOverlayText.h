// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <cstdint>
#include <optional>

#include "sensors/SensorRecords.h"

namespace zv {

// The data a clip shows burned into its picture at a moment of the
// recording: the recorder's date and time (its name's clock reading plus the
// moment), the speed and the position of the fix the viewer's own lookup
// finds there.
class ClipOverlayText {
 public:
  ClipOverlayText(std::optional<int64_t> nameClockMs, SensorRecordArray<CGPSData> fixes)
      : nameClockMs_(nameClockMs), fixes_(std::move(fixes)) {}

  // Two lines: "2024-01-01 12:00:05   54 km/h" and "37.566500, 126.977966"
  // ("-- km/h" and "GPS 없음" without a valid fix; "+00:05" for the time when
  // the name holds none).
  QStringList LinesAt(uint32_t ms) const;

 private:
  std::optional<int64_t> nameClockMs_;
  SensorRecordArray<CGPSData> fixes_;
};

}  // namespace zv
