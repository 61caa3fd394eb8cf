// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zv {

// The text after the last '/' or '\' of `path`; the whole path when it has
// neither.
std::string FileNameOfPath(std::string_view path);

// True when something exists at `path` (a file or a folder; links are
// followed).
bool FileExists(const std::string& path);

// `path` as a folder string: ending in exactly one '/'. Empty stays empty.
std::string AsFolder(std::string path);

}  // namespace zv
