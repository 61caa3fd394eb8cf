// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>

#include "library/RecordingName.h"
#include "output/RecordingClock.h"
#include "ScopedEnvironment.h"

namespace zv {
namespace {

int64_t Utc(const char* text) {
  return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toMSecsSinceEpoch();
}

// A fix as the parser leaves it: the hour is the UTC hour + 9.
CGPSData Fix(uint32_t timeMs, int utcHour, int minute, int second, bool valid = true) {
  CGPSData fix;
  fix.valid = valid ? 1 : 0;
  fix.year = 24, fix.month = 1, fix.day = 1;
  fix.hour = utcHour + 9, fix.minute = minute, fix.second = second;
  fix.timeMs = timeMs;
  return fix;
}

CGSensorData Sample(uint32_t timeMs) {
  CGSensorData sample;
  sample.timeMs = timeMs;
  return sample;
}

const int64_t kNoon = *ClockMsOfNameTime("2024-01-01", "12:00:00");

TEST(RecordingClockTest, FixesKeepTheirOwnTimeAndTheNameTakesTheRecordersZoneFromThem) {
  ScopedEnvironment zone("TZ", "America/New_York");
  // The recorder's clock runs nine hours ahead of UTC and 2 s behind the
  // satellites; the name still reads in its own zone.
  const std::vector<SensorRecordValue> records{Sample(0), Fix(1000, 3, 0, 3), Sample(1500), Fix(2000, 3, 0, 4, false)};
  const RecordingClock clock = RecordingClock::Of(kNoon, records);
  EXPECT_EQ(clock.StartUtcMs(), Utc("2024-01-01T03:00:00Z"));
  EXPECT_EQ(clock.Of(records[1]), Utc("2024-01-01T03:00:03Z"));
  EXPECT_EQ(clock.Of(records[2]), Utc("2024-01-01T03:00:01.500Z"));
  EXPECT_EQ(clock.Of(records[3]), Utc("2024-01-01T03:00:02Z"));  // no fix: from the name
  EXPECT_EQ(IsoUtcText(*clock.Of(records[2])), "2024-01-01T03:00:01.500Z");
  EXPECT_EQ(IsoUtcText(*clock.Of(records[1])), "2024-01-01T03:00:03Z");
}

TEST(RecordingClockTest, WithoutAValidFixTheNameIsThisComputersLocalTime) {
  const std::vector<SensorRecordValue> records{Sample(0), Fix(1000, 3, 0, 3, false)};
  {
    ScopedEnvironment zone("TZ", "America/New_York");
    EXPECT_EQ(RecordingClock::Of(kNoon, records).StartUtcMs(), Utc("2024-01-01T17:00:00Z"));
  }
  {
    ScopedEnvironment zone("TZ", "Europe/Berlin");  // summer time in July
    EXPECT_EQ(RecordingClock::Of(*ClockMsOfNameTime("2024-07-01", "12:00:00"), records).StartUtcMs(),
              Utc("2024-07-01T10:00:00Z"));
  }
}

TEST(RecordingClockTest, WithoutANameTimeTheFirstFixAnchorsTheRecording) {
  const std::vector<SensorRecordValue> records{Sample(0), Fix(4000, 3, 0, 4), Sample(4500)};
  const RecordingClock clock = RecordingClock::Of(std::nullopt, records);
  EXPECT_EQ(clock.StartUtcMs(), Utc("2024-01-01T03:00:00Z"));
  EXPECT_EQ(clock.Of(records[2]), Utc("2024-01-01T03:00:04.500Z"));
  EXPECT_FALSE(RecordingClock::Of(std::nullopt, {Sample(0)}).Of(Sample(0)).has_value());
  // A fix whose date is not a real date has no time of its own.
  CGPSData bad = Fix(0, 3, 0, 0);
  bad.month = 13;
  EXPECT_FALSE(RecordingClock::FixUtcMs(bad).has_value());
}

}  // namespace
}  // namespace zv
