// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zv {

class RegistryStore;

// The viewer's own view settings, kept per user in the registry store under
// "Software/ZorvaneViewer/Viewer": whether the recording list groups its rows
// by trip ("GroupByTrip", 0 or 1, off by default), whether the map draws the
// whole route of the open recording's trip ("TripRoute", 0 or 1, off by
// default) and from how strong a jolt on the seek bar marks an event
// ("EventThreshold", hundredths of g, 50 by default; 0 marks none).
class ViewerRegistrySettings {
 public:
  static constexpr const char* kKey = "Software/ZorvaneViewer/Viewer";
  static constexpr uint32_t kDefaultEventThreshold = 50;
  static constexpr uint32_t kLargestEventThreshold = 400;  // ±2 g full scale on each axis

  explicit ViewerRegistrySettings(RegistryStore& store);

  bool GroupByTrip() const;
  bool SetGroupByTrip(bool on);
  bool TripRoute() const;
  bool SetTripRoute(bool on);
  uint32_t EventThresholdCentiG() const;
  bool SetEventThresholdCentiG(uint32_t centiG);

 private:
  bool Write(const char* name, uint32_t value);
  bool Flag(const char* name) const;

  RegistryStore& store_;
};

}  // namespace zv
