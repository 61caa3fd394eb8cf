// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/RecordingLoader.h"

#include "reader/AviIndexLoader.h"
#include "reader/RecordingScanner.h"

namespace zv {

ScanError RecordingLoader::Load(Recording& out) {
  AviIndexLoader index(source_);
  usedIndex_ = index.Load(out);
  if (usedIndex_) {
    indexRejection_ = nullptr;
    return ScanError::None;
  }
  indexRejection_ = index.rejection() ? index.rejection() : "the index cannot be used";
  return RecordingScanner(source_).Scan(out);
}

}  // namespace zv
