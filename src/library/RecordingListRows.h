#pragma once

#include <vector>

#include "library/RecordingEntry.h"

namespace zv {

class RecordingLibrary;

// The entries of `kind` (every entry for AllKinds), oldest first: a stable
// sort by date and then time, ignoring letter case, so that entries with the
// same moment keep their catalogue order.
std::vector<RecordingEntry> SortedRowsForKind(const RecordingLibrary& library, int kind);

}  // namespace zv
