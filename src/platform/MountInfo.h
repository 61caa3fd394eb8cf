// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// One line of /proc/self/mountinfo.
struct MountRecord {
  std::string deviceNumber;    // "major:minor"
  std::string root;            // the folder of the file system that is mounted
  std::string mountPoint;      // where it is mounted, escapes undone
  std::string fileSystemType;  // "vfat", "ext4", "fuse.sshfs", ...
  std::string source;          // "/dev/sdb1", "server:/share", "proc", ...
};

// Parses the text of a mountinfo file. Malformed lines are skipped.
std::vector<MountRecord> ParseMountInfo(std::string_view text);

// The mount table of this process; empty when it cannot be read.
std::vector<MountRecord> ReadMountTable();

}  // namespace zv
