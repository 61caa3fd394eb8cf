// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/FileByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zv {

FileByteSource::~FileByteSource() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileByteSource::Open(const std::string& path) {
  if (fd_ >= 0) return false;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return false;
  }
  fd_ = fd;
  size_ = static_cast<uint64_t>(st.st_size);
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_RANDOM);  // advice only: a failure changes nothing
  return true;
}

void FileByteSource::AdviseSequential() const {
  if (fd_ >= 0) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

void FileByteSource::DropCachedPages() const {
  if (fd_ >= 0) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_DONTNEED);
}

bool FileByteSource::ReadAt(uint64_t offset, void* dst, size_t count) const {
  if (fd_ < 0 || offset > size_ || count > size_ - offset) return false;
  auto* out = static_cast<uint8_t*>(dst);
  while (count > 0) {
    ssize_t n = ::pread(fd_, out, count, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // error, or the file shrank under us
    out += n;
    offset += static_cast<uint64_t>(n);
    count -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace zv
