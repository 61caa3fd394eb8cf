// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/RecordingListRows.h"

#include <algorithm>
#include <strings.h>

#include "library/RecordingLibrary.h"
#include "library/TripBuilder.h"

namespace zv {

std::vector<RecordingEntry> SortedRowsForKind(const RecordingLibrary& library, int kind) {
  std::vector<RecordingEntry> rows;
  for (const RecordingEntry& entry : library.Entries())
    if (kind == AllKinds || entry.kind == kind) rows.push_back(entry);
  std::stable_sort(rows.begin(), rows.end(), [](const RecordingEntry& a, const RecordingEntry& b) {
    const int byDate = strcasecmp(a.date.c_str(), b.date.c_str());
    if (byDate != 0) return byDate < 0;
    return strcasecmp(a.time.c_str(), b.time.c_str()) < 0;
  });
  return rows;
}

std::vector<TripRowMark> GroupRowsByTrip(std::vector<RecordingEntry>& rows,
                                         const std::function<std::optional<int64_t>(const std::string&)>& durationMs) {
  const std::vector<Trip> trips = BuildTrips(rows, [&](size_t i) { return durationMs(rows[i].fullPath); });
  std::vector<RecordingEntry> grouped;
  std::vector<TripRowMark> marks;
  grouped.reserve(rows.size());
  marks.reserve(rows.size());
  for (size_t t = 0; t < trips.size(); ++t) {
    const Trip& trip = trips[t];
    for (size_t i = 0; i < trip.members.size(); ++i) {
      grouped.push_back(std::move(rows[trip.members[i]]));
      marks.push_back({static_cast<int>(t), static_cast<int>(i), static_cast<int>(trip.members.size()),
                       trip.endClockMs - trip.startClockMs});
    }
  }
  rows = std::move(grouped);
  return marks;
}

}  // namespace zv
