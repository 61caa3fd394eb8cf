// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/DriveEntry.h"
#include "platform/MountInfo.h"

namespace zv {

// The flags a file system reports: 6 for the FAT family (vfat, msdos, exfat),
// other combinations for every other file system, 0 when unknown.
uint32_t FileSystemFlagsOf(const std::string& fileSystemType);

// Whether a mount is one of the machine's volumes as the drive list shows
// them: a file system on a block device or a network share, mounted from its
// own root. Pseudo and virtual file systems (proc, sysfs, tmpfs, overlay,
// cgroup, squashfs snaps, ...) and CD/DVD media (iso9660, udf on sr*) are
// left out.
bool IsListedVolume(const MountRecord& mount);

// The drive entries of a mount table, in its order; a mount point mounted
// over keeps only its last mount. `labelOf` names the volume label of a
// mount point.
std::vector<DriveEntry> DrivesOfMounts(
    const std::vector<MountRecord>& mounts,
    const std::function<std::string(const std::string& mountPoint)>& labelOf);

// The machine's volumes now, each mount point an existing folder.
std::vector<DriveEntry> ListDrives();

}  // namespace zv
