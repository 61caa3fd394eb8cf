// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "library/RecordingEntry.h"
#include "sensors/SensorRecords.h"

namespace zv {

// The sensor records of one recording file, read straight from the file
// (no playback engine), with what its name says about it.
struct RecordingSensorFile {
  RecordingEntry entry;            // from the file name; kind 0 when it is not a recording's name
  std::optional<int64_t> nameClockMs;  // the name's date and time (ClockMsOfNameTime)
  int64_t durationMs = 0;
  std::vector<SensorRecordValue> records;  // decoded, in file order; records of other types left out

  // Reads `path`; false with a one-line `error` when it is not a recording.
  bool Read(const std::string& path, std::string& error);
};

// The catalogue entry for a path: kind, date and time from its file name,
// or only the names when the file name is not a recording's.
RecordingEntry EntryOfPath(const std::string& path);

}  // namespace zv
