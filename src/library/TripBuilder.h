// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "library/RecordingEntry.h"

namespace zv {

// A run of recordings of one kind that follow each other without a break:
// the recorder cuts a drive into files of about a minute each.
struct Trip {
  std::vector<size_t> members;  // indexes into the entries given, in their order
  int32_t kind = 0;
  // Clock readings (ClockMsOfNameTime) of the first member's start and of
  // the last member's end; both 0 when the first name holds no real time.
  int64_t startClockMs = 0;
  int64_t endClockMs = 0;
};

// How far the next recording's start may lie from the previous one's end.
inline constexpr int64_t kTripJoinToleranceMs = 2000;

// The duration of entry i in milliseconds, or nothing while it is unknown.
using DurationOfEntry = std::function<std::optional<int64_t>(size_t)>;

// Groups `entries`, given oldest first (the list's order), into trips. An
// entry joins the latest trip of its kind code when it starts within
// kTripJoinToleranceMs of that trip's end (the last member's name time plus
// its duration). An entry whose duration is unknown ends its trip; one whose
// name holds no real date and time is a trip of its own. Trips come in the
// order of their first member.
std::vector<Trip> BuildTrips(const std::vector<RecordingEntry>& entries, const DurationOfEntry& durationMs);

// The members of the trip that holds entry `index` (the same trip as
// BuildTrips gives), found by walking out from it, so that only the
// durations of that trip's recordings and the entries just before it are
// asked for.
std::vector<size_t> TripMembersAround(const std::vector<RecordingEntry>& entries, size_t index,
                                      const DurationOfEntry& durationMs);

// The trip that holds entry `index`, or null.
const Trip* TripOfEntry(const std::vector<Trip>& trips, size_t index);

}  // namespace zv
