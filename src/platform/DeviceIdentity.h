// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace zv {

// What tells one card from another just before it is formatted: the device
// behind a listed volume, as it was when the user asked to format it, is
// compared with the device there right before formatting starts.
struct DeviceIdentity {
  std::string devicePath;      // "/dev/sdb1", or the image file
  std::string deviceNumber;    // "major:minor" of a block device, "device:inode" of an image file
  uint64_t sizeBytes = 0;
  bool removable = false;      // a removable medium, an image file or a loop device over one
  bool systemVolume = false;   // one of the machine's own volumes, or on their disks
  std::string fileSystemUuid;  // from the udev database; empty when unknown
};

// Why the device `now` is not the one `before` described; empty when it is
// the same device, still removable and still not a system volume.
std::string DeviceIdentityChange(const DeviceIdentity& before, const DeviceIdentity& now);

// The size in bytes as the confirmations show it: "7.9 GB", "512 MB",
// decimal units as cards are sold.
std::string CardSizeText(uint64_t bytes);

}  // namespace zv
