// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <vector>

#include "library/RecordingEntry.h"
#include "map/MapRoute.h"

namespace zv {

// The whole route of a trip for the map: every recording of the trip read
// from its file on a worker thread, its fixes placed on the trip's time axis
// (each recording at its name time's distance from the first one's).
class TripRouteLoader : public QObject {
  Q_OBJECT

 public:
  explicit TripRouteLoader(QObject* parent = nullptr);
  ~TripRouteLoader() override;  // waits for a load in progress

  // Loads the route of the trip that holds entry `index` of `entries` (one
  // kind, list order), with the durations RecordingDurations knows or reads;
  // routeLoaded() follows unless another Load came first.
  void Load(std::vector<RecordingEntry> entries, size_t index);

  // The route of those recordings, read now on the calling thread.
  static MapRoute RouteOf(const std::vector<RecordingEntry>& recordings);

 signals:
  // The route of the latest Load; `recordings` is how many files it joins.
  void routeLoaded(const zv::MapRoute& route, int recordings);

 private:
  QThreadPool pool_;
  std::atomic<uint64_t> latest_{0};
};

}  // namespace zv
