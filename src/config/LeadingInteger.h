// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace zv {

// Reads `text` the way the options file, the card's configuration files and
// the report header read numbers: leading white space is skipped, an optional
// sign and the digits after it are taken, and the rest is ignored. No digits
// give 0. A value outside the 32-bit range is clamped to its nearest end.
int32_t LeadingDecimalInteger(std::string_view text);

}  // namespace zv
