// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// One point of a GPS track: a valid fix in decimal degrees.
struct TrackPoint {
  double latitudeDeg = 0;
  double longitudeDeg = 0;
  std::optional<int64_t> utcMs;  // nothing when no time is known
  double speedKmh = 0;
  double courseDeg = 0;
};

// A stretch of track without a break: one trip.
struct TrackPart {
  std::string name;
  std::vector<TrackPoint> points;
};

}  // namespace zv
