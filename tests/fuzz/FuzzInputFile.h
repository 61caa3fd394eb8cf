// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zv::fuzz {

// The readers under test take a file name: each input is written to one
// file of this process (in /dev/shm when it exists), removed at exit.
class FuzzInputFile {
 public:
  explicit FuzzInputFile(const char* name);
  ~FuzzInputFile();
  FuzzInputFile(const FuzzInputFile&) = delete;
  FuzzInputFile& operator=(const FuzzInputFile&) = delete;

  // Replaces the file's bytes; the path, or empty when it cannot be written.
  const std::string& Write(const uint8_t* data, size_t size);
  const std::string& path() const { return path_; }

 private:
  std::string folder_;
  std::string path_;
};

}  // namespace zv::fuzz
