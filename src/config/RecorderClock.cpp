// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/RecorderClock.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "config/AtomicTextFile.h"

namespace zv {

namespace {

// Characters [first, first + 2) of `line`, as many as it has.
std::string TwoCharactersAt(std::string_view line, size_t first) {
  if (first >= line.size()) return {};
  return std::string(line.substr(first, 2));
}

// Reads one line of at most 255 characters without its line end. False at
// the end of the file.
bool ReadLine(std::FILE* file, std::string& line) {
  char part[256];
  if (!std::fgets(part, sizeof part, file)) return false;
  line.assign(part, std::strlen(part));
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return true;
}

}  // namespace

bool ReadTimeFile(const std::string& path, RecorderClock& clock) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                      &std::fclose);
  if (!file) return false;
  clock = RecorderClock{};
  std::string line;
  if (ReadLine(file.get(), line)) {
    clock.year = "20" + TwoCharactersAt(line, 0);
    clock.month = TwoCharactersAt(line, 3);
    clock.day = TwoCharactersAt(line, 6);
  }
  if (ReadLine(file.get(), line)) {
    clock.hour = TwoCharactersAt(line, 0);
    clock.minute = TwoCharactersAt(line, 3);
    clock.second = TwoCharactersAt(line, 6);
  }
  return true;
}

std::string TimeFileText(const RecorderClock& c) {
  const std::string shortYear = c.year.size() > 2 ? c.year.substr(2, 2) : std::string();
  return shortYear + "/" + c.month + "/" + c.day + "\r\n" +
         c.hour + "/" + c.minute + "/" + c.second + "\r\n";
}

bool WriteTimeFile(const std::string& path, const RecorderClock& clock, std::string* error) {
  return WriteTextFileAtomically(path, TimeFileText(clock), error);
}

}  // namespace zv
