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

}  // namespace

std::vector<Trip> BuildTrips(const std::vector<RecordingEntry>& entries, const DurationOfEntry& durationMs) {
  std::vector<Trip> trips;
  std::map<int32_t, OpenTrip> open;  // kind -> its latest trip
  for (size_t i = 0; i < entries.size(); ++i) {
    const RecordingEntry& entry = entries[i];
    const std::optional<int64_t> start = ClockMsOfNameTime(entry.date, entry.time);
    const std::optional<int64_t> duration = start ? durationMs(i) : std::nullopt;
    const auto latest = open.find(entry.kind);
    const bool joins = start && latest != open.end() && latest->second.endClockMs &&
                       std::llabs(*start - *latest->second.endClockMs) <= kTripJoinToleranceMs;
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
