#include "library/RecordingListRows.h"

#include <algorithm>
#include <strings.h>

#include "library/RecordingLibrary.h"

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

}  // namespace zv
