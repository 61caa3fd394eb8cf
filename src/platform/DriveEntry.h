// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace zv {

// File-system flags in the manner of the original platform's volume
// information: the case-preserved-names flag and the Unicode-on-disk flag
// (2 | 4 = 6) are what a FAT-family card reports.
inline constexpr uint32_t kFsCaseSensitiveSearch = 0x1;
inline constexpr uint32_t kFsCasePreservedNames = 0x2;
inline constexpr uint32_t kFsUnicodeOnDisk = 0x4;
inline constexpr uint32_t kFsPersistentAcls = 0x8;

// One volume of the settings dialog's drive list. There are no drive letters
// or drive numbers here: a volume is named by its mount point, and the device
// (a block device, or an image file) takes the place of the drive number when
// the card is formatted.
struct DriveEntry {
  std::string rootPath;        // the mount point ending in '/', e.g. "/media/card/"
  std::string devicePath;      // "/dev/sdb1", or the path of an image file
  std::string label;           // the volume label, may be empty
  std::string fileSystemType;  // "vfat", "ext4", ...
  uint32_t fileSystemFlags = 0;

  // The list text: label followed by the root folder in brackets,
  // "CARD(/media/card/)", or "(/media/card/)" without a label.
  std::string Text() const { return label + "(" + rootPath + ")"; }
};

}  // namespace zv
