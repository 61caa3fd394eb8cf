// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/TripBuilder.h"

#include <cstdlib>
#include <map>

#include "library/RecordingName.h"

namespace zv {
namespace {

// The latest trip of one kind, while later entries may still join it.
struct OpenTrip {
  size_t trip = 0;
  std::optional<int64_t> endClockMs;  // nothing: its last member's end is unknown
};

// Whether a recording that starts at `startClockMs` follows one that ends at
// `endClockMs`.
bool FollowsOn(std::optional<int64_t> endClockMs, std::optional<int64_t> startClockMs) {
  return endClockMs && startClockMs && std::llabs(*startClockMs - *endClockMs) <= kTripJoinToleranceMs;
}

std::optional<int64_t> StartOf(const RecordingEntry& entry) { return ClockMsOfNameTime(entry.date, entry.time); }

std::optional<int64_t> EndOf(const std::vector<RecordingEntry>& entries, size_t i, const DurationOfEntry& durationMs) {
  const std::optional<int64_t> start = StartOf(entries[i]);
  const std::optional<int64_t> duration = start ? durationMs(i) : std::nullopt;
  return duration ? std::optional<int64_t>(*start + *duration) : std::nullopt;
}

// The entry of the same kind before (step -1) or after (+1) entry i.
std::optional<size_t> NeighbourOfKind(const std::vector<RecordingEntry>& entries, size_t i, int step) {
  for (size_t j = i; step < 0 ? j > 0 : j + 1 < entries.size();) {
    j = step < 0 ? j - 1 : j + 1;
    if (entries[j].kind == entries[i].kind) return j;
  }
  return std::nullopt;
}

}  // namespace

std::vector<size_t> TripMembersAround(const std::vector<RecordingEntry>& entries, size_t index,
                                      const DurationOfEntry& durationMs) {
  if (index >= entries.size()) return {};
  size_t first = index;
  for (auto before = NeighbourOfKind(entries, first, -1);
       before && FollowsOn(EndOf(entries, *before, durationMs), StartOf(entries[first]));
       before = NeighbourOfKind(entries, first, -1))
    first = *before;
  std::vector<size_t> members{first};
  for (auto after = NeighbourOfKind(entries, first, 1);
       after && FollowsOn(EndOf(entries, members.back(), durationMs), StartOf(entries[*after]));
       after = NeighbourOfKind(entries, *after, 1))
    members.push_back(*after);
  return members;
}

std::vector<Trip> BuildTrips(const std::vector<RecordingEntry>& entries, const DurationOfEntry& durationMs) {
  std::vector<Trip> trips;
  std::map<int32_t, OpenTrip> open;  // kind -> its latest trip
  for (size_t i = 0; i < entries.size(); ++i) {
    const RecordingEntry& entry = entries[i];
    const std::optional<int64_t> start = StartOf(entry);
    const std::optional<int64_t> duration = start ? durationMs(i) : std::nullopt;
    const auto latest = open.find(entry.kind);
    const bool joins = latest != open.end() && FollowsOn(latest->second.endClockMs, start);
    if (!joins) {
      Trip trip;
      trip.kind = entry.kind;
      trip.startClockMs = start.value_or(0);
      trips.push_back(std::move(trip));
      open[entry.kind] = OpenTrip{trips.size() - 1, std::nullopt};
    }
    OpenTrip& current = open[entry.kind];
    Trip& trip = trips[current.trip];
    trip.members.push_back(i);
    current.endClockMs = duration ? std::optional<int64_t>(*start + *duration) : std::nullopt;
    trip.endClockMs = current.endClockMs.value_or(start.value_or(0));
  }
  return trips;
}

const Trip* TripOfEntry(const std::vector<Trip>& trips, size_t index) {
  for (const Trip& trip : trips)
    for (size_t member : trip.members)
      if (member == index) return &trip;
  return nullptr;
}

}  // namespace zv
