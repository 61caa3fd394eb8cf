// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/DeviceIdentity.h"
#include "platform/DriveEntry.h"
#include "platform/FormatPolicy.h"
#include "platform/MountInfo.h"

namespace zv {

// Describes a listed volume for the format policy from the mount table,
// sysfs and the udev database. The folders are parameters so that the probe
// can be pointed at a prepared tree.
class VolumeProbe {
 public:
  VolumeProbe(std::vector<MountRecord> mounts, std::string sysRoot = "/sys",
              std::string udevDataRoot = "/run/udev/data");

  // The probe of this machine now.
  static VolumeProbe System();

  VolumeDescription Describe(const DriveEntry& drive) const;

  // The device behind a listed volume as it is now: an image file by its
  // file, a block device by what is mounted at the volume's folder, which
  // must still be the listed device. None, with the reason in `reason`,
  // when it is gone or another device took its place.
  std::optional<DeviceIdentity> Identify(const DriveEntry& drive, std::string& reason) const;

 private:
  std::string BlockNameOf(const std::string& deviceNumber) const;
  std::vector<std::string> DisksOf(const std::string& blockName) const;
  std::vector<std::string> SystemDisks() const;
  bool IsRemovableDisk(const std::string& disk) const;
  bool IsLoopOverFile(const std::string& disk) const;
  bool IsEfiSystemPartition(const std::string& deviceNumber) const;
  std::string DeviceNumberOf(const DriveEntry& drive) const;
  const MountRecord* MountAt(const DriveEntry& drive) const;
  uint64_t BlockSizeOf(const std::string& deviceNumber) const;
  std::string UdevProperty(const std::string& deviceNumber, const std::string& name) const;

  std::vector<MountRecord> mounts_;
  std::string sysRoot_;
  std::string udevDataRoot_;
};

}  // namespace zv
