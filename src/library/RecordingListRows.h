// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/RecordingEntry.h"

namespace zv {

class RecordingLibrary;

// The entries of `kind` (every entry for AllKinds), oldest first: a stable
// sort by date and then time, ignoring letter case, so that entries with the
// same moment keep their catalogue order.
std::vector<RecordingEntry> SortedRowsForKind(const RecordingLibrary& library, int kind);

// Where a row stands in its trip when the list groups rows by trip.
struct TripRowMark {
  int trip = -1;          // the trip's number in the list, from 0; -1 when not grouped
  int indexInTrip = 0;    // the row's place in its trip
  int tripSize = 1;       // recordings in the trip
  int64_t tripMs = 0;     // from the first one's start to the last one's end
};

// Reorders `rows` (oldest first, as SortedRowsForKind gives them) trip by
// trip (BuildTrips), each trip's rows together and in time order, trips in
// the order of their first recording, and gives each row its mark.
// `durationMs` gives a recording's duration by full path, or nothing while it
// is not known (such a recording ends its trip for now).
std::vector<TripRowMark> GroupRowsByTrip(std::vector<RecordingEntry>& rows,
                                         const std::function<std::optional<int64_t>(const std::string&)>& durationMs);

}  // namespace zv
