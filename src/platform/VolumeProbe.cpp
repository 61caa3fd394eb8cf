// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VolumeProbe.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>

namespace zv {

namespace fs = std::filesystem;

namespace {

bool IsSystemMountPoint(const std::string& mountPoint) {
  for (const char* system : {"/", "/boot", "/boot/efi", "/efi", "/home", "/usr", "/var"}) {
    if (mountPoint == system) return true;
  }
  return false;
}

std::string FirstLineOf(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

std::string WithoutTrailingSlash(const std::string& path) {
  return path.size() > 1 && path.ends_with('/') ? path.substr(0, path.size() - 1) : path;
}

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

VolumeProbe::VolumeProbe(std::vector<MountRecord> mounts, std::string sysRoot,
                         std::string udevDataRoot)
    : mounts_(std::move(mounts)), sysRoot_(std::move(sysRoot)),
      udevDataRoot_(std::move(udevDataRoot)) {}

VolumeProbe VolumeProbe::System() { return VolumeProbe(ReadMountTable()); }

// The kernel name ("sdb1", "dm-0") of the block device "major:minor".
std::string VolumeProbe::BlockNameOf(const std::string& deviceNumber) const {
  if (deviceNumber.empty()) return {};
  std::error_code error;
  const fs::path device = fs::canonical(fs::path(sysRoot_) / "dev/block" / deviceNumber, error);
  return error ? std::string() : device.filename().string();
}

// The whole disks a block device lives on: a partition's parent disk, and
// the disks under a device-mapper or RAID device.
std::vector<std::string> VolumeProbe::DisksOf(const std::string& blockName) const {
  if (blockName.empty()) return {};
  std::error_code error;
  const fs::path device = fs::canonical(fs::path(sysRoot_) / "class/block" / blockName, error);
  if (error) return {};
  if (fs::exists(device / "partition")) return {device.parent_path().filename().string()};
  std::vector<std::string> disks;
  for (const auto& slave : fs::directory_iterator(device / "slaves", error)) {
    for (std::string& disk : DisksOf(slave.path().filename().string())) {
      disks.push_back(std::move(disk));
    }
  }
  if (disks.empty()) disks.push_back(blockName);
  return disks;
}

std::vector<std::string> VolumeProbe::SystemDisks() const {
  std::vector<std::string> disks;
  for (const MountRecord& mount : mounts_) {
    if (!IsSystemMountPoint(mount.mountPoint)) continue;
    for (std::string& disk : DisksOf(BlockNameOf(mount.deviceNumber))) {
      disks.push_back(std::move(disk));
    }
  }
  return disks;
}

bool VolumeProbe::IsRemovableDisk(const std::string& disk) const {
  const fs::path base = fs::path(sysRoot_) / "class/block" / disk;
  if (FirstLineOf(base / "removable") == "1") return true;
  if (FirstLineOf(base / "device/type") == "SD") return true;  // card in an MMC slot
  std::error_code error;
  const std::string path = fs::canonical(base, error).string();
  return !error && path.find("/usb") != std::string::npos;   // USB card reader or stick
}

bool VolumeProbe::IsLoopOverFile(const std::string& disk) const {
  return disk.starts_with("loop") &&
         !FirstLineOf(fs::path(sysRoot_) / "class/block" / disk / "loop/backing_file").empty();
}

// A property ("E:NAME=value") of a block device in the udev database.
std::string VolumeProbe::UdevProperty(const std::string& deviceNumber, const std::string& name) const {
  std::ifstream in(fs::path(udevDataRoot_) / ("b" + deviceNumber));
  const std::string prefix = "E:" + name + "=";
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(prefix)) return line.substr(prefix.size());
  }
  return {};
}

bool VolumeProbe::IsEfiSystemPartition(const std::string& deviceNumber) const {
  const std::string type = Lowercase(UdevProperty(deviceNumber, "ID_PART_ENTRY_TYPE"));
  return type == "c12a7328-f81f-11d2-ba4b-00a0c93ec93b" || type == "0xef";
}

// The mount at the volume's folder; the last one wins.
const MountRecord* VolumeProbe::MountAt(const DriveEntry& drive) const {
  const std::string mountPoint = WithoutTrailingSlash(drive.rootPath);
  const MountRecord* found = nullptr;
  for (const MountRecord& mount : mounts_) {
    if (mount.mountPoint == mountPoint) found = &mount;
  }
  return found;
}

std::string VolumeProbe::DeviceNumberOf(const DriveEntry& drive) const {
  const MountRecord* mount = MountAt(drive);
  return mount ? mount->deviceNumber : std::string();
}

// sysfs gives the size in 512-byte sectors whatever the device's own.
uint64_t VolumeProbe::BlockSizeOf(const std::string& deviceNumber) const {
  const std::string sectors = FirstLineOf(fs::path(sysRoot_) / "dev/block" / deviceNumber / "size");
  return sectors.empty() ? 0 : std::strtoull(sectors.c_str(), nullptr, 10) * 512;
}

std::optional<DeviceIdentity> VolumeProbe::Identify(const DriveEntry& drive, std::string& reason) const {
  DeviceIdentity identity;
  identity.devicePath = drive.devicePath;
  struct stat file {};
  if (::stat(drive.devicePath.c_str(), &file) == 0 && S_ISREG(file.st_mode)) {
    identity.deviceNumber = std::to_string(file.st_dev) + ":" + std::to_string(file.st_ino);
    identity.sizeBytes = static_cast<uint64_t>(file.st_size);
    identity.removable = true;
    return identity;
  }
  const MountRecord* mount = MountAt(drive);
  if (!mount) {
    reason = "카드가 마운트되어 있지 않습니다: " + drive.rootPath;
    return std::nullopt;
  }
  if (mount->source != drive.devicePath) {
    reason = "다른 장치가 마운트되어 있습니다: " + mount->source;
    return std::nullopt;
  }
  const VolumeDescription volume = Describe(drive);
  identity.deviceNumber = mount->deviceNumber;
  identity.sizeBytes = BlockSizeOf(mount->deviceNumber);
  identity.removable = volume.removable || volume.loopDevice;
  identity.systemVolume = volume.holdsSystemMount || volume.onSystemDisk || volume.efiSystemPartition;
  identity.fileSystemUuid = UdevProperty(mount->deviceNumber, "ID_FS_UUID");
  return identity;
}

VolumeDescription VolumeProbe::Describe(const DriveEntry& drive) const {
  VolumeDescription volume;
  volume.fileSystemFlags = drive.fileSystemFlags;
  std::error_code error;
  if (fs::is_regular_file(drive.devicePath, error)) {
    volume.imageFile = true;
    return volume;
  }
  const std::string number = DeviceNumberOf(drive);
  for (const MountRecord& mount : mounts_) {
    if (mount.deviceNumber == number && IsSystemMountPoint(mount.mountPoint)) {
      volume.holdsSystemMount = true;
    }
  }
  const std::vector<std::string> disks = DisksOf(BlockNameOf(number));
  const std::vector<std::string> systemDisks = SystemDisks();
  for (const std::string& disk : disks) {
    if (std::find(systemDisks.begin(), systemDisks.end(), disk) != systemDisks.end()) {
      volume.onSystemDisk = true;
    }
  }
  volume.efiSystemPartition = IsEfiSystemPartition(number);
  volume.loopDevice = !disks.empty() && std::all_of(disks.begin(), disks.end(), [&](auto& d) {
    return IsLoopOverFile(d);
  });
  volume.removable = !disks.empty() && std::all_of(disks.begin(), disks.end(), [&](auto& d) {
    return IsRemovableDisk(d);
  });
  return volume;
}

}  // namespace zv
