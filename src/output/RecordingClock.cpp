// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/RecordingClock.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>
#include <ctime>
#include <string>

namespace zv {
namespace {

constexpr int64_t kQuarterHourMs = 15 * 60 * 1000;
constexpr int64_t kLargestZoneOffsetMs = 14 * 60 * 60 * 1000;
constexpr int kGpsHourShift = 9;  // the fix's hour is read nine hours on (CGPSData::hour)

// The offset (local minus UTC) of this computer's time zone (TZ) at a clock
// reading of its local time.
int64_t LocalZoneOffsetMs(int64_t clockMs) {
  const QDateTime clock = QDateTime::fromMSecsSinceEpoch(clockMs, QTimeZone::utc());
  std::tm local{};
  local.tm_year = clock.date().year() - 1900;
  local.tm_mon = clock.date().month() - 1;
  local.tm_mday = clock.date().day();
  local.tm_hour = clock.time().hour();
  local.tm_min = clock.time().minute();
  local.tm_sec = clock.time().second();
  local.tm_isdst = -1;
  const std::time_t utc = std::mktime(&local);
  if (utc == static_cast<std::time_t>(-1)) return 0;
  return clockMs - clockMs % 1000 - static_cast<int64_t>(utc) * 1000;
}

// The recorder's zone offset, from a record it stamped both ways.
std::optional<int64_t> ZoneOffsetFromFix(int64_t nameClockMs, const CGPSData& fix, int64_t fixUtcMs) {
  const int64_t raw = nameClockMs + fix.timeMs - fixUtcMs;
  const int64_t rounded = static_cast<int64_t>(std::llround(static_cast<double>(raw) / kQuarterHourMs)) * kQuarterHourMs;
  if (std::llabs(rounded) > kLargestZoneOffsetMs) return std::nullopt;  // a clock that was never set
  return rounded;
}

}  // namespace

std::optional<int64_t> RecordingClock::FixUtcMs(const CGPSData& fix) {
  if (!fix.valid) return std::nullopt;
  const QDate date(((fix.year + 30) % 100) + 1970, fix.month, fix.day);
  const QTime time(fix.hour - kGpsHourShift, fix.minute, fix.second);
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time, QTimeZone::utc()).toMSecsSinceEpoch();
}

RecordingClock RecordingClock::Of(std::optional<int64_t> nameClockMs, const std::vector<SensorRecordValue>& records) {
  const CGPSData* anchor = nullptr;
  std::optional<int64_t> anchorUtc;
  for (const SensorRecordValue& record : records) {
    const auto* fix = std::get_if<CGPSData>(&record);
    if (fix && (anchorUtc = FixUtcMs(*fix))) {
      anchor = fix;
      break;
    }
  }
  RecordingClock clock;
  if (nameClockMs) {
    const std::optional<int64_t> zone = anchor ? ZoneOffsetFromFix(*nameClockMs, *anchor, *anchorUtc) : std::nullopt;
    clock.startUtcMs_ = *nameClockMs - zone.value_or(LocalZoneOffsetMs(*nameClockMs));
  } else if (anchor) {
    clock.startUtcMs_ = *anchorUtc - anchor->timeMs;
  }
  return clock;
}

std::optional<int64_t> RecordingClock::AtOffset(uint32_t offsetMs) const {
  if (!startUtcMs_) return std::nullopt;
  return *startUtcMs_ + offsetMs;
}

std::optional<int64_t> RecordingClock::Of(const SensorRecordValue& record) const {
  if (const auto* fix = std::get_if<CGPSData>(&record))
    if (const std::optional<int64_t> utc = FixUtcMs(*fix)) return utc;
  return std::visit(
      [this](const auto& value) -> std::optional<int64_t> {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::monostate>) return std::nullopt;
        else return AtOffset(value.timeMs);
      },
      record);
}

std::string IsoUtcText(int64_t utcMs) {
  const QDateTime time = QDateTime::fromMSecsSinceEpoch(utcMs, QTimeZone::utc());
  return time.toString(utcMs % 1000 == 0 ? QStringLiteral("yyyy-MM-ddTHH:mm:ssZ") : QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"))
      .toStdString();
}

}  // namespace zv
