// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzInputFile.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace zv::fuzz {

FuzzInputFile::FuzzInputFile(const char* name) {
  std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/zv-fuzz-XXXXXX" : "/tmp/zv-fuzz-XXXXXX";
  if (mkdtemp(pattern.data())) {
    folder_ = pattern;
    path_ = folder_ + "/" + name;
  }
}

FuzzInputFile::~FuzzInputFile() {
  if (folder_.empty()) return;
  std::remove(path_.c_str());
  rmdir(folder_.c_str());
}

const std::string& FuzzInputFile::Write(const uint8_t* data, size_t size) {
  static const std::string kNone;
  std::FILE* file = path_.empty() ? nullptr : std::fopen(path_.c_str(), "wb");
  if (!file) return kNone;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written ? path_ : kNone;
}

}  // namespace zv::fuzz
