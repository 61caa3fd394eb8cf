// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/LineTrim.h"

namespace zv {

static constexpr std::string_view kTrimmed{"\b\t\r\n"};

std::string_view TrimLineControls(std::string_view line) {
  const size_t first = line.find_first_not_of(kTrimmed);
  if (first == std::string_view::npos) return {};
  const size_t last = line.find_last_not_of(kTrimmed);
  return line.substr(first, last - first + 1);
}

}  // namespace zv
