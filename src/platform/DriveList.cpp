// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DriveList.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <string_view>

namespace zv {

namespace {

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

bool IsNetworkFileSystem(std::string_view type) {
  return IsOneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs"});
}

bool IsPseudoFileSystem(std::string_view type) {
  return IsOneOf(type, {"proc", "sysfs", "tmpfs", "devtmpfs", "devpts", "ramfs", "overlay",
                        "cgroup", "cgroup2", "squashfs", "securityfs", "debugfs", "tracefs",
                        "pstore", "bpf", "mqueue", "hugetlbfs", "configfs", "fusectl",
                        "binfmt_misc", "autofs", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs",
                        "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse", "fuse.lxcfs"});
}

bool IsOpticalMedium(const MountRecord& mount) {
  if (mount.fileSystemType == "iso9660") return true;
  const std::string_view source = mount.source;
  return source.starts_with("/dev/sr") || source.starts_with("/dev/scd") ||
         source.starts_with("/dev/cdrom") || source.starts_with("/dev/dvd");
}

std::string AsRootPath(const std::string& mountPoint) {
  return mountPoint.ends_with('/') ? mountPoint : mountPoint + '/';
}

}  // namespace

uint32_t FileSystemFlagsOf(const std::string& type) {
  if (IsOneOf(type, {"vfat", "msdos", "exfat"})) return kFsCasePreservedNames | kFsUnicodeOnDisk;
  if (type.empty()) return 0;
  if (IsOneOf(type, {"ntfs", "ntfs3", "fuseblk"})) {
    return kFsCasePreservedNames | kFsUnicodeOnDisk | kFsPersistentAcls;
  }
  if (IsOneOf(type, {"ext2", "ext3", "ext4", "xfs", "btrfs", "f2fs", "jfs", "zfs"})) {
    return kFsCaseSensitiveSearch | kFsCasePreservedNames | kFsUnicodeOnDisk | kFsPersistentAcls;
  }
  return kFsCaseSensitiveSearch | kFsCasePreservedNames;
}

bool IsListedVolume(const MountRecord& mount) {
  if (IsPseudoFileSystem(mount.fileSystemType) || IsOpticalMedium(mount)) return false;
  if (mount.root != "/") return false;  // a bind mount of a folder, not a volume
  return mount.source.starts_with("/dev/") || IsNetworkFileSystem(mount.fileSystemType);
}

std::vector<DriveEntry> DrivesOfMounts(
    const std::vector<MountRecord>& mounts,
    const std::function<std::string(const std::string& mountPoint)>& labelOf) {
  std::vector<DriveEntry> drives;
  for (const MountRecord& mount : mounts) {
    const std::string rootPath = AsRootPath(mount.mountPoint);
    // A later mount at the same place hides the earlier one.
    std::erase_if(drives, [&](const DriveEntry& d) { return d.rootPath == rootPath; });
    if (!IsListedVolume(mount)) continue;
    drives.push_back({rootPath, mount.source, labelOf(mount.mountPoint), mount.fileSystemType,
                      FileSystemFlagsOf(mount.fileSystemType)});
  }
  return drives;
}

std::vector<DriveEntry> ListDrives() {
  std::vector<DriveEntry> drives = DrivesOfMounts(ReadMountTable(), [](const std::string& mp) {
    return QStorageInfo(QString::fromStdString(mp)).name().toStdString();
  });
  std::erase_if(drives, [](const DriveEntry& d) {
    return !QFileInfo(QString::fromStdString(d.rootPath)).isDir();
  });
  return drives;
}

}  // namespace zv
