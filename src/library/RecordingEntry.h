// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace zv {

// Kind codes of recordings. `AllKinds` is only a list filter value.
enum RecordingKind : int32_t {
  AllKinds = 1,
  ContinuousKind = 2,
  EventKind = 3,
  ParkingKind = 4,  // both parking continuous and parking motion
};

// One recording of the catalogue, described from its file name alone.
struct RecordingEntry {
  std::string fileName;  // as found on disk, case kept
  std::string fullPath;  // folder (ending in '/') + fileName
  std::string date;      // "yyyy-mm-dd" from the name
  std::string time;      // "hh:mm:ss" from the name
  std::string kindName;  // "상시", "이벤트", "주차상시" or "주차모션"
  int32_t kind = 0;      // a RecordingKind
};

}  // namespace zv
