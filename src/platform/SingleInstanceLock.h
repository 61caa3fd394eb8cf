// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

// Keeps one instance of the program per user. The lock is an exclusive
// flock() on a file named after the lock name in the user's runtime folder;
// the kernel drops it when the process ends, however it ends, so a crashed
// instance never leaves a stale lock.
class SingleInstanceLock {
 public:
  enum class Result { Acquired, AlreadyHeld, Failed };

  SingleInstanceLock() = default;
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // Takes the lock `name` in `folder` (the runtime folder when empty).
  Result Acquire(const std::string& name, const std::string& folder = {});
  void Release();
  bool IsHeld() const { return fd_ >= 0; }

  // $XDG_RUNTIME_DIR, or /tmp when it is unset or not a folder.
  static std::string RuntimeFolder();

 private:
  int fd_ = -1;
};

}  // namespace zv
