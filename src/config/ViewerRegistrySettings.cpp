// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ViewerRegistrySettings.h"

#include <algorithm>

#include "platform/RegistryStore.h"

namespace zv {
namespace {
constexpr const char* kGroupByTrip = "GroupByTrip";
constexpr const char* kTripRoute = "TripRoute";
constexpr const char* kEventThreshold = "EventThreshold";
}  // namespace

ViewerRegistrySettings::ViewerRegistrySettings(RegistryStore& store) : store_(store) {}

bool ViewerRegistrySettings::Write(const char* name, uint32_t value) {
  std::optional<RegistryKey> key = RegistryKey::Create(store_, RegistryRoot::CurrentUser, kKey);
  return key && key->SetDword(name, value);
}

bool ViewerRegistrySettings::Flag(const char* name) const {
  return store_.ReadDword(RegistryRoot::CurrentUser, kKey, name).value_or(0) != 0;
}

bool ViewerRegistrySettings::GroupByTrip() const { return Flag(kGroupByTrip); }
bool ViewerRegistrySettings::SetGroupByTrip(bool on) { return Write(kGroupByTrip, on ? 1 : 0); }
bool ViewerRegistrySettings::TripRoute() const { return Flag(kTripRoute); }
bool ViewerRegistrySettings::SetTripRoute(bool on) { return Write(kTripRoute, on ? 1 : 0); }

uint32_t ViewerRegistrySettings::EventThresholdCentiG() const {
  const uint32_t stored =
      store_.ReadDword(RegistryRoot::CurrentUser, kKey, kEventThreshold).value_or(kDefaultEventThreshold);
  return std::min(stored, kLargestEventThreshold);
}

bool ViewerRegistrySettings::SetEventThresholdCentiG(uint32_t centiG) {
  return Write(kEventThreshold, std::min(centiG, kLargestEventThreshold));
}

}  // namespace zv
