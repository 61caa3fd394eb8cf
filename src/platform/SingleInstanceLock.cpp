// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zv {

SingleInstanceLock::~SingleInstanceLock() { Release(); }

std::string SingleInstanceLock::RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st {};
  if (runtime && *runtime && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode)) return runtime;
  return "/tmp";
}

SingleInstanceLock::Result SingleInstanceLock::Acquire(const std::string& name,
                                                       const std::string& folder) {
  Release();
  std::string dir = folder.empty() ? RuntimeFolder() : folder;
  // In the shared /tmp the user id keeps two users' locks apart.
  std::string path = dir + "/" + name;
  if (dir == "/tmp") path += "-" + std::to_string(getuid());
  path += ".lock";

  // O_CLOEXEC: programs started by the viewer must not inherit the lock.
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Result::Failed;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    close(fd);
    return err == EWOULDBLOCK ? Result::AlreadyHeld : Result::Failed;
  }
  fd_ = fd;
  return Result::Acquired;
}

void SingleInstanceLock::Release() {
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
  }
}

}  // namespace zv
