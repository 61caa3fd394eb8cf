// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/GpsText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <limits>
#include <string_view>

#include "config/LeadingInteger.h"

namespace zv {
namespace {

constexpr size_t kMaxTextLength = 1023;  // a 1024-byte buffer with its terminator
constexpr size_t kFieldsRead = 10;       // the sentence name and fields 1 to 9

// A decimal number as the C library's text-to-number functions read it:
// leading white space, an optional sign, then as much of a number as there
// is. No number gives 0. Unlike them it does not depend on the locale, and a
// value that is not finite (overflow, "inf", "nan") also gives 0, so no
// infinite or undefined coordinate reaches the instruments.
double LeadingDecimal(std::string_view text) {
  size_t i = text.find_first_not_of(" \t\n\v\f\r");
  if (i == std::string_view::npos) return 0;
  double sign = 1;
  if (text[i] == '+' || text[i] == '-') {
    sign = text[i] == '-' ? -1 : 1;
    ++i;
  }
  if (i >= text.size() || text[i] == '+' || text[i] == '-') return 0;
  double value = 0;
  const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0;
  return sign * value;
}

// A value held at single precision, as the recorder's firmware holds speed
// and course; one beyond the range of a float gives 0, as an overflowing
// number does, instead of an infinite (or undefined) conversion.
float SinglePrecision(double value) {
  return std::fabs(value) <= std::numeric_limits<float>::max() ? static_cast<float>(value) : 0.0f;
}

// The two characters at `from` as an integer (fewer at the end of the field).
int32_t DigitPair(std::string_view field, size_t from) {
  return from < field.size() ? LeadingDecimalInteger(field.substr(from, 2)) : 0;
}

char FirstChar(std::string_view field) { return field.empty() ? '\0' : field.front(); }

void ApplyField(CGPSData& fix, size_t index, std::string_view field) {
  switch (index) {
    case 1:  // hhmmss(.sss), UTC; shown 9 hours later
      fix.hour = DigitPair(field, 0) + 9;
      fix.minute = DigitPair(field, 2);
      fix.second = DigitPair(field, 4);
      break;
    case 2:
      fix.valid = FirstChar(field) == 'A' ? 1 : 0;
      break;
    case 3:
      fix.latitude = LeadingDecimal(field);
      break;
    case 4:
      if (FirstChar(field) != 'N') fix.latitude = -fix.latitude;
      break;
    case 5:
      fix.longitude = LeadingDecimal(field);
      break;
    case 6:
      if (FirstChar(field) != 'E') fix.longitude = -fix.longitude;
      break;
    case 7:  // knots to km/h, held at single precision
      fix.speedKmh = SinglePrecision(LeadingDecimal(field) * 1.852);
      break;
    case 8:
      fix.course = SinglePrecision(LeadingDecimal(field));
      break;
    case 9:  // ddmmyy
      fix.day = DigitPair(field, 0);
      fix.month = DigitPair(field, 2);
      fix.year = DigitPair(field, 4);
      break;
    default:
      break;
  }
}

// The fix's date and shifted time as local time of this computer. Two-digit
// years 00-69 are 2000-2069 and 70-99 are 1970-1999; hours past 23 roll over
// into the next day.
int64_t LocalTimeOf(const CGPSData& fix) {
  std::tm calendar{};
  calendar.tm_year = ((fix.year + 30) % 100) + 70;
  calendar.tm_mon = fix.month - 1;
  calendar.tm_mday = fix.day;
  calendar.tm_hour = fix.hour;
  calendar.tm_min = fix.minute;
  calendar.tm_sec = fix.second;
  calendar.tm_isdst = -1;
  return static_cast<int64_t>(std::mktime(&calendar));
}

}  // namespace

bool ParseGpsText(CGPSData& fix, uint32_t timeMs, const char* text) {
  fix.timeMs = timeMs;
  if (!text) return false;
  std::string_view rest(text, strnlen(text, kMaxTextLength));
  const size_t start = rest.find_first_not_of(',');
  rest.remove_prefix(start == std::string_view::npos ? rest.size() : start);

  size_t fieldCount = 0;
  for (;;) {
    const size_t comma = rest.find(',');
    ApplyField(fix, fieldCount++, rest.substr(0, comma));
    if (comma == std::string_view::npos || fieldCount == kFieldsRead) break;
    rest.remove_prefix(comma + 1);
  }
  if (fieldCount < kFieldsRead) return false;
  fix.localTime = LocalTimeOf(fix);
  return true;
}

double NmeaToDegrees(double value) {
  const double v = value * 0.01;
  const double degrees = std::trunc(v);
  return degrees + (v - degrees) * 100 / 60;
}

}  // namespace zv
