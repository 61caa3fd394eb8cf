// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace zv {

// Removes backspace (0x08), tab, CR and LF from both ends of a line read from
// one of the program's text files. Spaces are kept: they are part of keys and
// values.
std::string_view TrimLineControls(std::string_view line);

}  // namespace zv
