// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sensors/CGPSData.h"
#include "sensors/SensorRecordArray.h"

namespace zv {

// One point of a route: a position in decimal degrees, the speed there and its time on the caller's time
// axis (the time within the recording, or within a trip of several).
struct MapRoutePoint {
  double latitudeDeg = 0;
  double longitudeDeg = 0;
  double speedKmh = 0;
  int64_t timeMs = 0;
};

// The route the map page draws: GPS fixes in the order driven, split into
// runs. A line is drawn along each run and never from one run to the next,
// so a fix without a position (status V, empty or out-of-range fields) or a
// break between recordings leaves a gap instead of a straight jump.
//
// Any sequence of fixes makes a route: one recording's GpsRecords(), or the
// fixes of several recordings one after the other with Break() between them
// and their times shifted onto one axis.
class MapRoute {
 public:
  // The route of one recording's fixes, times as recorded.
  static MapRoute FromFixes(const SensorRecordArray<CGPSData>& fixes);

  // Adds a fix at `timeMs`. A fix that is not valid or has no position ends
  // the current run and adds nothing.
  void AppendFix(const CGPSData& fix, int64_t timeMs);
  // Adds every fix of one recording, times shifted by `timeOffsetMs`, after
  // a break.
  void AppendRecording(const SensorRecordArray<CGPSData>& fixes, int64_t timeOffsetMs);
  // Ends the current run; the next fix starts a new one.
  void Break();

  size_t PointCount() const;
  // Runs with at least one point.
  const std::vector<std::vector<MapRoutePoint>>& Runs() const { return runs_; }

  // The route as the page's setRoute() takes it: an array of runs, each an
  // array of [latitude, longitude, speed km/h, time ms].
  QByteArray ToJson() const;

 private:
  std::vector<std::vector<MapRoutePoint>> runs_;
  bool runOpen_ = false;
};

}  // namespace zv
