// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramFolder.h"

#include <unistd.h>

#include <vector>

namespace zv {

std::string ProgramFolderOf(const std::string& exePath) {
  const auto slash = exePath.rfind('/');
  if (slash == std::string::npos || slash == 0) return {};
  return exePath.substr(0, slash);
}

static std::string ReadExecutablePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

const std::string& ProgramFolder() {
  static const std::string folder = ProgramFolderOf(ReadExecutablePath());
  return folder;
}

}  // namespace zv
