// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/DriveList.h"
#include "platform/MountInfo.h"

namespace zv {
namespace {

MountRecord Mount(std::string point, std::string type, std::string source,
                  std::string root = "/") {
  return {"8:1", std::move(root), std::move(point), std::move(type), std::move(source)};
}

std::string NoLabel(const std::string&) { return {}; }

TEST(MountInfoTest, ParsesFieldsEscapesAndOptionalFields) {
  const std::string text =
      "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "60 27 8:17 / /media/my\\040card rw,nosuid shared:5 master:1 - vfat /dev/sdb1 rw,uid=1000\n"
      "garbage line\n"
      "61 27 0:40 /sub /mnt/bind rw - ext4 /dev/sdc1 rw";
  const std::vector<MountRecord> mounts = ParseMountInfo(text);
  ASSERT_EQ(mounts.size(), 3u);
  EXPECT_EQ(mounts[0].mountPoint, "/");
  EXPECT_EQ(mounts[0].deviceNumber, "254:0");
  EXPECT_EQ(mounts[1].mountPoint, "/media/my card");
  EXPECT_EQ(mounts[1].fileSystemType, "vfat");
  EXPECT_EQ(mounts[1].source, "/dev/sdb1");
  EXPECT_EQ(mounts[2].root, "/sub");
  EXPECT_EQ(mounts[2].source, "/dev/sdc1");
}

TEST(DriveListTest, FatFamilyReportsSixAndOthersDiffer) {
  for (const char* fat : {"vfat", "msdos", "exfat"}) EXPECT_EQ(FileSystemFlagsOf(fat), 6u) << fat;
  for (const char* other : {"ext4", "ntfs3", "xfs", "nfs4", "fuseblk", "btrfs"}) {
    const uint32_t flags = FileSystemFlagsOf(other);
    EXPECT_NE(flags, 6u) << other;
    EXPECT_NE(flags, 2u) << other;
  }
  EXPECT_EQ(FileSystemFlagsOf(""), 0u);
}

TEST(DriveListTest, ListsVolumesAndLeavesOutPseudoOpticalAndBindMounts) {
  const std::vector<MountRecord> mounts = {
      Mount("/", "ext4", "/dev/vda"),
      Mount("/proc", "proc", "proc"),
      Mount("/sys/fs/cgroup", "cgroup2", "cgroup2"),
      Mount("/run", "tmpfs", "tmpfs"),
      Mount("/var/lib/docker/x", "overlay", "overlay"),
      Mount("/snap/core/1", "squashfs", "/dev/loop3"),
      Mount("/media/dvd", "udf", "/dev/sr0"),
      Mount("/media/iso", "iso9660", "/dev/loop4"),
      Mount("/etc/hosts", "ext4", "/dev/vda", "/data/hosts"),
      Mount("/media/card", "vfat", "/dev/sdb1"),
      Mount("/mnt/share", "nfs4", "server:/export"),
      Mount("/mnt/stick", "udf", "/dev/sdc1"),
  };
  const std::vector<DriveEntry> drives = DrivesOfMounts(mounts, [](const std::string& mp) {
    return mp == "/media/card" ? std::string("CARD") : std::string();
  });
  std::vector<std::string> texts;
  for (const DriveEntry& d : drives) texts.push_back(d.Text());
  EXPECT_EQ(texts, (std::vector<std::string>{"(/)", "CARD(/media/card/)", "(/mnt/share/)",
                                             "(/mnt/stick/)"}));
  EXPECT_EQ(drives[1].devicePath, "/dev/sdb1");
  EXPECT_EQ(drives[1].fileSystemFlags, 6u);
}

TEST(DriveListTest, AMountPointMountedOverKeepsOnlyItsLastMount) {
  const std::vector<DriveEntry> overMounted = DrivesOfMounts(
      {Mount("/media/card", "vfat", "/dev/sdb1"), Mount("/media/card", "ext4", "/dev/sdc1")},
      NoLabel);
  ASSERT_EQ(overMounted.size(), 1u);
  EXPECT_EQ(overMounted[0].devicePath, "/dev/sdc1");
  // Hidden by a pseudo file system: nothing listed.
  EXPECT_TRUE(DrivesOfMounts({Mount("/media/card", "vfat", "/dev/sdb1"),
                              Mount("/media/card", "tmpfs", "tmpfs")},
                             NoLabel).empty());
}

TEST(DriveListTest, DrivesOfThisMachineAreMountedFolders) {
  const std::vector<MountRecord> mounts = ReadMountTable();
  ASSERT_FALSE(mounts.empty());
  for (const DriveEntry& drive : ListDrives()) {
    EXPECT_TRUE(drive.rootPath.ends_with('/')) << drive.rootPath;
    EXPECT_TRUE(std::filesystem::is_directory(drive.rootPath)) << drive.rootPath;
    std::string mountPoint = drive.rootPath;
    if (mountPoint.size() > 1) mountPoint.pop_back();
    const bool mounted = std::any_of(mounts.begin(), mounts.end(), [&](const MountRecord& m) {
      return m.mountPoint == mountPoint;
    });
    EXPECT_TRUE(mounted) << drive.rootPath;
    EXPECT_FALSE(drive.devicePath.starts_with("/dev/sr")) << drive.devicePath;
    for (const char* pseudo : {"proc", "sysfs", "tmpfs", "devtmpfs", "cgroup", "cgroup2",
                               "overlay", "squashfs", "devpts", "iso9660"}) {
      EXPECT_NE(drive.fileSystemType, pseudo) << drive.rootPath;
    }
    EXPECT_EQ(drive.Text(), drive.label + "(" + drive.rootPath + ")");
  }
}

}  // namespace
}  // namespace zv
