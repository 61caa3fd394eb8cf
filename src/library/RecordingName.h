// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// The recorder names every recording after its kind and the moment it
// started, for example "REC_20240131_142530_F.AVI":
//
//   indexes 0-3    kind prefix REC_, EVT_, PRK_ or MDI_
//   indexes 4-11   date, yyyymmdd
//   indexes 13-18  time, hhmmss
//   from 21        ".AVI" (25 characters in all), or "_LPSTOP.AVI",
//                  "_LPSTART.AVI", "_SDEXIT.AVI" (32 characters or more)
//
// Names are UTF-8; lengths and indexes count characters, not bytes. Letter
// case is ignored for the prefix and the ending.

// True when `name` (a bare file name) is a recording's name. Only the
// length, the prefix and the ending are checked.
bool IsRecordingFileName(std::string_view name);

// Builds "yyyy-mm-dd" and "hh:mm:ss" from the characters at indexes 4-11 and
// 13-18 of a recognised name, copied as they are. Positions past the end of
// a shorter name contribute nothing.
void ParseNameDateTime(std::string_view name, std::string& date, std::string& time);

// The recorder's clock reading in a recording's "yyyy-mm-dd" date and
// "hh:mm:ss" time texts, as milliseconds since 1970 counted as if the clock
// ran on UTC (no time zone applied). Nothing when the texts are not a real
// date and time (the name held letters, or a 31st of February).
std::optional<int64_t> ClockMsOfNameTime(std::string_view date, std::string_view time);

}  // namespace zv
