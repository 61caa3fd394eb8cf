// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapRoute.h"

#include <QString>
#include <cmath>

#include "sensors/GpsText.h"

namespace zv {

namespace {

bool HasPosition(const CGPSData& fix, double latitudeDeg, double longitudeDeg) {
  if (!fix.valid) return false;
  if (fix.latitude == 0 && fix.longitude == 0) return false;  // fields left empty
  return std::isfinite(latitudeDeg) && std::isfinite(longitudeDeg) &&
         std::fabs(latitudeDeg) <= 90 && std::fabs(longitudeDeg) <= 180;
}

}  // namespace

MapRoute MapRoute::FromFixes(const SensorRecordArray<CGPSData>& fixes) {
  MapRoute route;
  route.AppendRecording(fixes, 0);
  return route;
}

void MapRoute::AppendFix(const CGPSData& fix, int64_t timeMs) {
  const double latitude = NmeaToDegrees(fix.latitude);
  const double longitude = NmeaToDegrees(fix.longitude);
  if (!HasPosition(fix, latitude, longitude)) {
    Break();
    return;
  }
  if (!runOpen_) {
    runs_.emplace_back();
    runOpen_ = true;
  }
  runs_.back().push_back({latitude, longitude, std::isfinite(fix.speedKmh) ? fix.speedKmh : 0, timeMs});
}

void MapRoute::AppendRecording(const SensorRecordArray<CGPSData>& fixes, int64_t timeOffsetMs) {
  Break();
  for (const CGPSData& fix : fixes.Records()) AppendFix(fix, timeOffsetMs + fix.timeMs);
}

void MapRoute::Break() { runOpen_ = false; }

size_t MapRoute::PointCount() const {
  size_t count = 0;
  for (const auto& run : runs_) count += run.size();
  return count;
}

QByteArray MapRoute::ToJson() const {
  QByteArray json = "[";
  for (size_t r = 0; r < runs_.size(); ++r) {
    if (r) json += ',';
    json += '[';
    for (size_t i = 0; i < runs_[r].size(); ++i) {
      const MapRoutePoint& p = runs_[r][i];
      if (i) json += ',';
      // Six decimals in the C locale, exactly as the marker's positions are
      // sent, so that the page finds the marker among the route's points.
      json += QString::asprintf("[%.6f,%.6f,%.1f,%lld]", p.latitudeDeg, p.longitudeDeg, p.speedKmh,
                                static_cast<long long>(p.timeMs))
                  .toLatin1();
    }
    json += ']';
  }
  json += ']';
  return json;
}

}  // namespace zv
