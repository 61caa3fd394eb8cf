// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/TripRouteLoader.h"

#include "library/RecordingDurations.h"
#include "library/TripBuilder.h"
#include "sensors/RecordingSensorFile.h"

namespace zv {

TripRouteLoader::TripRouteLoader(QObject* parent) : QObject(parent) { pool_.setMaxThreadCount(1); }

TripRouteLoader::~TripRouteLoader() {
  ++latest_;  // what is still queued is out of date
  pool_.clear();
  pool_.waitForDone();
}

MapRoute TripRouteLoader::RouteOf(const std::vector<RecordingEntry>& recordings) {
  MapRoute route;
  std::optional<int64_t> tripStart;
  for (const RecordingEntry& entry : recordings) {
    RecordingSensorFile file;
    std::string error;
    if (!file.Read(entry.fullPath, error)) continue;  // the route has a gap there
    if (!tripStart) tripStart = file.nameClockMs;
    SensorRecordArray<CGPSData> fixes;
    for (const SensorRecordValue& record : file.records)
      if (const auto* fix = std::get_if<CGPSData>(&record)) fixes.Append(*fix);
    const int64_t offset = file.nameClockMs && tripStart ? *file.nameClockMs - *tripStart : 0;
    route.AppendRecording(fixes, offset);
  }
  return route;
}

void TripRouteLoader::Load(std::vector<RecordingEntry> entries, size_t index) {
  const uint64_t load = ++latest_;
  pool_.start([this, load, entries = std::move(entries), index] {
    if (load != latest_) return;
    const auto durationOf = [&](size_t i) { return RecordingDurations::Instance().CachedOrRead(entries[i].fullPath); };
    std::vector<RecordingEntry> trip;
    for (size_t member : TripMembersAround(entries, index, durationOf)) trip.push_back(entries[member]);
    MapRoute route = RouteOf(trip);
    const int count = static_cast<int>(trip.size());
    QMetaObject::invokeMethod(this, [this, load, route = std::move(route), count] {
      if (load == latest_) emit routeLoaded(route, count);
    }, Qt::QueuedConnection);
  });
}

}  // namespace zv
