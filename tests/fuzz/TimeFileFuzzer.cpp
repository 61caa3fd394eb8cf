// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary files to the time.cfg reader: every text it gives is at
// most its two characters (the year "20" and two), and what it reads
// survives a write and a second read when every text is whole.
#include <cstdint>
#include <cstdlib>

#include "FuzzInputFile.h"
#include "config/RecorderClock.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Every text of its full length and free of line-end characters: texts cut
// short by the end of a line move the later columns, and a CR ending a
// text is taken for the line end when read again.
bool Whole(const zv::RecorderClock& c) {
  const auto full = [](const std::string& text, size_t size) {
    return text.size() == size && text.find_first_of("\r\n") == std::string::npos;
  };
  return full(c.year, 4) && full(c.month, 2) && full(c.day, 2) && full(c.hour, 2) &&
         full(c.minute, 2) && full(c.second, 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zv::fuzz::FuzzInputFile file("time.cfg");
  const std::string& path = file.Write(data, size);
  if (path.empty()) return 0;
  zv::RecorderClock clock;
  Require(zv::ReadTimeFile(path, clock));
  Require(clock.year.size() <= 4 && clock.month.size() <= 2 && clock.day.size() <= 2 &&
          clock.hour.size() <= 2 && clock.minute.size() <= 2 && clock.second.size() <= 2);
  Require(zv::WriteTimeFile(path, clock));
  zv::RecorderClock again;
  Require(zv::ReadTimeFile(path, again));
  Require(!Whole(clock) || again == clock);
  return 0;
}
