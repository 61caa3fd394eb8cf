// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

// Replaces the file at `path` with `text` in one step: the text goes to a
// temporary file in the same folder, which is then renamed over the old file.
// False, with the reason in `error` when given, when that fails; an existing
// file is then left as it was.
bool WriteTextFileAtomically(const std::string& path, const std::string& text,
                             std::string* error = nullptr);

}  // namespace zv
