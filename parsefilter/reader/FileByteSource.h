// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <string>

#include "reader/ByteSource.h"

namespace zv {

// A recording file read with pread; safe to read from several threads.
class FileByteSource : public ByteSource {
 public:
  FileByteSource() = default;
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  // Opens a regular file for reading; false (with errno kept) when it cannot.
  // The kernel is told that access is random, so that the small reads of a
  // load do not pull the chunk data in by read-ahead.
  bool Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  // From now on reads mostly follow the file (playback): read ahead.
  void AdviseSequential() const;
  // Drops the file's pages from the page cache (cold-start measurements).
  void DropCachedPages() const;

  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, void* dst, size_t count) const override;

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};

}  // namespace zv
