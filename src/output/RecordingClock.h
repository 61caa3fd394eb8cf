// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sensors/SensorRecords.h"

namespace zv {

// Absolute times (UTC milliseconds since 1970) of the records of one
// recording.
//
// A GPS fix that is valid carries its own UTC date and time, and that is its
// time. Every other record is timed from the recording's name: the
// recorder's clock reading at the first frame plus the record's offset. The
// recorder names its files in its own local time, so the name is turned into
// UTC with the recorder's time-zone offset: the offset between the name and
// the first valid fix of the recording (rounded to a quarter hour, so a clock
// a few seconds off does not shift the zone), or, in a recording without
// one, the offset of this computer's local time zone at that moment.
class RecordingClock {
 public:
  // `nameClockMs` is ClockMsOfNameTime of the name, nothing when the name
  // holds no time; `records` are the recording's records in file order.
  static RecordingClock Of(std::optional<int64_t> nameClockMs, const std::vector<SensorRecordValue>& records);

  // The fix's own UTC time: valid fixes with a real date and time only.
  static std::optional<int64_t> FixUtcMs(const CGPSData& fix);

  // The moment `offsetMs` into the recording, from its name.
  std::optional<int64_t> AtOffset(uint32_t offsetMs) const;
  // The time of a record: its fix time when it has one, else AtOffset.
  std::optional<int64_t> Of(const SensorRecordValue& record) const;
  std::optional<int64_t> StartUtcMs() const { return startUtcMs_; }

 private:
  std::optional<int64_t> startUtcMs_;
};

// "2013-05-21T05:30:15Z", with milliseconds only when there are some.
std::string IsoUtcText(int64_t utcMs);

}  // namespace zv
