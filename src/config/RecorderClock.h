// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

// The texts of the six date and time lists that time.cfg sets the recorder's
// clock from: year "2011"-"2030", the others two digits. An empty text means
// nothing to select.
struct RecorderClock {
  std::string year, month, day, hour, minute, second;

  bool operator==(const RecorderClock&) const = default;
};

// Reads time.cfg: the first line gives year = "20" + characters 0-1, month =
// characters 3-4 and day = 6-7; the second line hour, minute and second from
// the same columns. A missing line leaves its three texts empty. False when
// the file cannot be opened.
bool ReadTimeFile(const std::string& path, RecorderClock& clock);

// The text of time.cfg: "YY/MM/DD" and "hh/mm/ss", each ending in CR LF, with
// the year cut to its last two digits.
std::string TimeFileText(const RecorderClock& clock);

// Writes time.cfg through a temporary file and a rename.
bool WriteTimeFile(const std::string& path, const RecorderClock& clock, std::string* error = nullptr);

}  // namespace zv
