// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The folder of the running program, without a trailing '/'. The parse
// filter module, config/option.ini and map/Map.htm are found from it.
namespace zv {

// Cuts `exePath` at its last '/'. A path with no '/' after its first
// character gives an empty folder.
std::string ProgramFolderOf(const std::string& exePath);

// The folder of /proc/self/exe, computed once.
const std::string& ProgramFolder();

}  // namespace zv
