// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/FormatPolicy.h"
#include "platform/VolumeProbe.h"

namespace zv {
namespace {

namespace fs = std::filesystem;

VolumeDescription RemovableCard() {
  VolumeDescription v;
  v.fileSystemFlags = 6;
  v.removable = true;
  return v;
}

TEST(FormatPolicyTest, OnlyFlagsTwoOrSixAreConsideredAndSilently) {
  for (uint32_t flags : {0u, 1u, 3u, 7u, 0xFu, 0x8000006u}) {
    VolumeDescription v = RemovableCard();
    v.fileSystemFlags = flags;
    const FormatDecision d = DecideCardFormat(v);
    EXPECT_EQ(d.verdict, FormatVerdict::Ignored) << flags;
    EXPECT_TRUE(d.message.empty());
  }
  VolumeDescription two = RemovableCard();
  two.fileSystemFlags = 2;
  EXPECT_EQ(DecideCardFormat(two).verdict, FormatVerdict::Allowed);
  EXPECT_EQ(DecideCardFormat(RemovableCard()).verdict, FormatVerdict::Allowed);
}

TEST(FormatPolicyTest, SystemVolumesAndFixedDisksAreRefusedWithAMessage) {
  for (bool VolumeDescription::*system : {&VolumeDescription::holdsSystemMount,
                                          &VolumeDescription::onSystemDisk,
                                          &VolumeDescription::efiSystemPartition}) {
    VolumeDescription v = RemovableCard();
    v.*system = true;
    v.loopDevice = true;  // even an image is refused when the system uses it
    const FormatDecision d = DecideCardFormat(v);
    EXPECT_EQ(d.verdict, FormatVerdict::SystemVolume);
    EXPECT_EQ(d.message, kSystemVolumeRefusal);
  }
  VolumeDescription fixed = RemovableCard();
  fixed.removable = false;
  EXPECT_EQ(DecideCardFormat(fixed).verdict, FormatVerdict::NotRemovable);
  EXPECT_EQ(DecideCardFormat(fixed).message, kNotRemovableRefusal);
  fixed.imageFile = true;
  EXPECT_EQ(DecideCardFormat(fixed).verdict, FormatVerdict::Allowed);
  fixed.imageFile = false;
  fixed.loopDevice = true;
  EXPECT_EQ(DecideCardFormat(fixed).verdict, FormatVerdict::Allowed);
}

// A small sysfs and udev database: a SATA disk sda holding an EFI partition
// and the root file system (on device mapper over sda2) and a spare sda3; a
// fixed SATA disk sdc; a USB card reader sdb; an SD slot mmcblk0; a loop
// device over an image file.
class VolumeProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys_ = fs::path(dir_.path().toStdString()) / "sys";
    udev_ = fs::path(dir_.path().toStdString()) / "udev";
    fs::create_directories(udev_);
    Disk("8:0", "pci0/ata1/block/sda", "0");
    Partition("8:1", "pci0/ata1/block/sda", "sda1");
    Partition("8:2", "pci0/ata1/block/sda", "sda2");
    Partition("8:3", "pci0/ata1/block/sda", "sda3");
    Disk("253:0", "virtual/block/dm-0", "0");
    fs::create_directories(sys_ / "devices/virtual/block/dm-0/slaves");
    fs::create_directory_symlink(sys_ / "devices/pci0/ata1/block/sda/sda2",
                                 sys_ / "devices/virtual/block/dm-0/slaves/sda2");
    Disk("8:16", "pci0/usb1/1-1/host6/block/sdb", "0");
    Partition("8:17", "pci0/usb1/1-1/host6/block/sdb", "sdb1");
    Disk("8:32", "pci0/ata2/block/sdc", "0");
    Partition("8:33", "pci0/ata2/block/sdc", "sdc1");
    Disk("179:0", "platform/mmc0/block/mmcblk0", "0");
    Text("devices/platform/mmc0/block/mmcblk0/device/type", "SD");
    Partition("179:1", "platform/mmc0/block/mmcblk0", "mmcblk0p1");
    Disk("7:0", "virtual/block/loop0", "0");
    Text("devices/virtual/block/loop0/loop/backing_file", "/tmp/card.img");
    std::ofstream(udev_ / "b8:1") << "S:disk/by-uuid/1234\nE:ID_PART_ENTRY_TYPE=C12A7328-F81F-11D2-BA4B-00A0C93EC93B\n";
    Text("devices/pci0/usb1/1-1/host6/block/sdb/sdb1/size", "15523840");
    std::ofstream(udev_ / "b8:17") << "E:ID_FS_TYPE=vfat\nE:ID_FS_UUID=3F2A-19C4\n";
  }

  void Text(const std::string& relative, const std::string& text) {
    fs::create_directories((sys_ / relative).parent_path());
    std::ofstream(sys_ / relative) << text << "\n";
  }
  void Link(const std::string& number, const std::string& name, const fs::path& device) {
    fs::create_directories(sys_ / "dev/block");
    fs::create_directories(sys_ / "class/block");
    fs::create_directory_symlink(device, sys_ / "dev/block" / number);
    fs::create_directory_symlink(device, sys_ / "class/block" / name);
  }
  void Disk(const std::string& number, const std::string& path, const std::string& removable) {
    const fs::path device = sys_ / "devices" / path;
    fs::create_directories(device);
    Text("devices/" + path + "/removable", removable);
    Link(number, device.filename().string(), device);
  }
  void Partition(const std::string& number, const std::string& disk, const std::string& name) {
    Text("devices/" + disk + "/" + name + "/partition", "1");
    Link(number, name, sys_ / "devices" / disk / name);
  }

  VolumeDescription Describe(const std::string& mountPoint, const std::string& device = "") {
    return Probe().Describe(DriveEntry{mountPoint + "/", device, "", "vfat", 6});
  }
  std::optional<DeviceIdentity> Identify(const std::string& mountPoint, const std::string& device,
                                         std::string& reason) {
    return Probe().Identify(DriveEntry{mountPoint + "/", device, "", "vfat", 6}, reason);
  }
  VolumeProbe Probe() {
    const std::vector<MountRecord> mounts = {
        {"253:0", "/", "/", "ext4", "/dev/mapper/root"},
        {"8:1", "/", "/boot/efi", "vfat", "/dev/sda1"},
        {"8:3", "/", "/media/spare", "vfat", "/dev/sda3"},
        {"8:17", "/", "/media/card", "vfat", "/dev/sdb1"},
        {"8:33", "/", "/media/data", "vfat", "/dev/sdc1"},
        {"179:1", "/", "/media/sd", "vfat", "/dev/mmcblk0p1"},
        {"7:0", "/", "/media/image", "vfat", "/dev/loop0"},
    };
    return VolumeProbe(mounts, sys_.string(), udev_.string());
  }

  QTemporaryDir dir_;
  fs::path sys_, udev_;
};

TEST_F(VolumeProbeTest, TheSystemDiskAndItsPartitionsAreSystemVolumes) {
  const VolumeDescription efi = Describe("/boot/efi");
  EXPECT_TRUE(efi.holdsSystemMount);
  EXPECT_TRUE(efi.onSystemDisk);
  EXPECT_TRUE(efi.efiSystemPartition);
  const VolumeDescription spare = Describe("/media/spare");
  EXPECT_FALSE(spare.holdsSystemMount);
  EXPECT_TRUE(spare.onSystemDisk);  // sda holds the root file system through dm-0
  EXPECT_EQ(DecideCardFormat(spare).verdict, FormatVerdict::SystemVolume);
  // The root file system, here with FAT flags so that only the system rule can stop it.
  const VolumeDescription root = Describe("/");
  EXPECT_TRUE(root.holdsSystemMount);
  EXPECT_EQ(DecideCardFormat(root).verdict, FormatVerdict::SystemVolume);
}

TEST_F(VolumeProbeTest, CardsReadersAndImagesAreAllowedFixedDisksAreNot) {
  EXPECT_EQ(DecideCardFormat(Describe("/media/card")).verdict, FormatVerdict::Allowed);
  EXPECT_EQ(DecideCardFormat(Describe("/media/sd")).verdict, FormatVerdict::Allowed);
  const VolumeDescription loop = Describe("/media/image");
  EXPECT_TRUE(loop.loopDevice);
  EXPECT_EQ(DecideCardFormat(loop).verdict, FormatVerdict::Allowed);
  EXPECT_EQ(DecideCardFormat(Describe("/media/data")).verdict, FormatVerdict::NotRemovable);
  // A volume the probe cannot place is treated as fixed.
  EXPECT_EQ(DecideCardFormat(Describe("/media/unknown")).verdict, FormatVerdict::NotRemovable);
  // An image file named as the device.
  const std::string image = dir_.path().toStdString() + "/card.img";
  std::ofstream(image) << "x";
  EXPECT_TRUE(Describe("/media/none", image).imageFile);
  EXPECT_EQ(DecideCardFormat(Describe("/media/none", image)).verdict, FormatVerdict::Allowed);
}

// The identity of a card is taken from what is mounted at its folder, which
// must still be the listed device.
TEST_F(VolumeProbeTest, IdentifiesTheCardMountedAtItsFolder) {
  std::string reason;
  const std::optional<DeviceIdentity> card = Identify("/media/card", "/dev/sdb1", reason);
  ASSERT_TRUE(card) << reason;
  EXPECT_EQ(card->deviceNumber, "8:17");
  EXPECT_EQ(card->sizeBytes, 15523840ull * 512);
  EXPECT_TRUE(card->removable);
  EXPECT_FALSE(card->systemVolume);
  EXPECT_EQ(card->fileSystemUuid, "3F2A-19C4");
  const std::optional<DeviceIdentity> efi = Identify("/boot/efi", "/dev/sda1", reason);
  ASSERT_TRUE(efi);
  EXPECT_TRUE(efi->systemVolume);
  EXPECT_FALSE(efi->removable);

  EXPECT_FALSE(Identify("/media/card", "/dev/sdc1", reason));  // another device is mounted there
  EXPECT_NE(reason.find("/dev/sdb1"), std::string::npos);
  EXPECT_FALSE(Identify("/media/gone", "/dev/sdb1", reason));  // no longer mounted
}

TEST_F(VolumeProbeTest, AnImageFileIsKnownByItsFileAndSize) {
  const std::string image = dir_.path().toStdString() + "/card.img";
  std::ofstream(image) << std::string(4096, '\0');
  std::string reason;
  const std::optional<DeviceIdentity> before = Identify("/media/none", image, reason);
  ASSERT_TRUE(before);
  EXPECT_EQ(before->sizeBytes, 4096u);
  EXPECT_TRUE(before->removable);
  EXPECT_EQ(DeviceIdentityChange(*before, *Identify("/media/none", image, reason)), "");
  // Another file put in its place.
  fs::rename(image, image + ".old");
  std::ofstream(image) << std::string(4096, '\0');
  EXPECT_NE(DeviceIdentityChange(*before, *Identify("/media/none", image, reason)), "");
}

TEST(DeviceIdentityTest, AnyChangeRefusesTheFormat) {
  const DeviceIdentity card{"/dev/sdb1", "8:17", 7948206080, true, false, "3F2A-19C4"};
  EXPECT_EQ(DeviceIdentityChange(card, card), "");
  DeviceIdentity now = card;
  now.deviceNumber = "8:33";
  EXPECT_NE(DeviceIdentityChange(card, now), "");
  now = card;
  now.sizeBytes = 15931539456;
  EXPECT_NE(DeviceIdentityChange(card, now), "");
  now = card;
  now.fileSystemUuid = "0000-0001";  // another card of the same size in the same slot
  EXPECT_NE(DeviceIdentityChange(card, now), "");
  now = card;
  now.removable = false;
  EXPECT_EQ(DeviceIdentityChange(card, now), kNotRemovableRefusal);
  now = card;
  now.systemVolume = true;
  EXPECT_EQ(DeviceIdentityChange(card, now), kSystemVolumeRefusal);
}

TEST(DeviceIdentityTest, SizesInDecimalUnits) {
  EXPECT_EQ(CardSizeText(7948206080), "7.9 GB");
  EXPECT_EQ(CardSizeText(512000000), "512 MB");
  EXPECT_EQ(CardSizeText(8388608), "8.4 MB");
  EXPECT_EQ(CardSizeText(999), "999 B");
}

}  // namespace
}  // namespace zv
