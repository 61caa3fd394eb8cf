// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

// Loads the shared module at `path` and calls its exported function
// `entryPoint` (a function without arguments returning a 32-bit result).
// The module stays loaded for the life of the process. Returns true when the
// entry point was found and called; false when the module cannot be loaded or
// lacks the entry point.
bool LoadModuleAndCall(const std::string& path, const char* entryPoint);

}  // namespace zv
