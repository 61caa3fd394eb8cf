// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/RecordingSensorFile.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "library/PathNames.h"
#include "library/RecordingLibrary.h"
#include "library/RecordingName.h"
#include "reader/RecordingReader.h"

namespace zv {

RecordingEntry EntryOfPath(const std::string& path) {
  RecordingLibrary one;
  if (one.AddPath(path) && one.Count() == 1) return one.At(0);
  RecordingEntry entry;
  entry.fullPath = path;
  entry.fileName = FileNameOfPath(path);
  return entry;
}

bool RecordingSensorFile::Read(const std::string& path, std::string& error) {
  RecordingReader reader;
  if (!reader.Open(path)) {
    error = path + ": " + (reader.openErrno() ? std::strerror(reader.openErrno()) : reader.errorMessage());
    return false;
  }
  entry = EntryOfPath(path);
  nameClockMs = entry.kind != 0 ? ClockMsOfNameTime(entry.date, entry.time) : std::nullopt;
  const Recording& recording = reader.recording();
  durationMs = static_cast<int64_t>(recording.durationNs / 1'000'000);
  records.clear();
  records.reserve(recording.records.size());
  // Each record goes through the same 1024-byte buffer as the parse filter
  // hands over, so it decodes exactly as during playback.
  std::array<uint8_t, kSensorRecordSize> buffer;
  for (const SensorRecord& record : recording.records) {
    buffer.fill(0);
    const size_t size = std::min<size_t>(record.size, buffer.size());
    std::memcpy(buffer.data(), recording.recordBytes.data() + record.dataOffset, size);
    SensorRecordValue value = DecodeSensorRecord(buffer.data(), record.timeMs);
    if (!std::holds_alternative<std::monostate>(value)) records.push_back(std::move(value));
  }
  return true;
}

}  // namespace zv
