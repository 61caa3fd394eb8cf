// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/PathNames.h"

#include <sys/stat.h>

namespace zv {

std::string FileNameOfPath(std::string_view path) {
  const size_t separator = path.find_last_of("/\\");
  if (separator == std::string_view::npos) return std::string(path);
  return std::string(path.substr(separator + 1));
}

bool FileExists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0;
}

std::string AsFolder(std::string path) {
  if (path.empty()) return path;
  const size_t last = path.find_last_not_of('/');
  // A path of slashes only is the root folder.
  path.erase(last == std::string::npos ? 0 : last + 1);
  path.push_back('/');
  return path;
}

}  // namespace zv
