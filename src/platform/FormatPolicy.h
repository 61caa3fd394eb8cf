// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace zv {

// What the format button needs to know about a volume before it offers to
// format it.
struct VolumeDescription {
  uint32_t fileSystemFlags = 0;
  bool holdsSystemMount = false;    // mounted at /, /boot, /boot/efi, /efi, /home, /usr or /var
  bool onSystemDisk = false;        // a partition of a disk holding one of those
  bool efiSystemPartition = false;  // partition type EFI system
  bool imageFile = false;           // a regular file holding a file system image
  bool loopDevice = false;          // a loop device backed by an image file
  bool removable = false;           // removable or hot-pluggable medium (card reader, USB)
};

enum class FormatVerdict {
  Allowed,
  Ignored,       // not a FAT-family volume: the button does nothing and says nothing
  SystemVolume,  // refused with a message
  NotRemovable,  // refused with a message
};

struct FormatDecision {
  FormatVerdict verdict = FormatVerdict::Ignored;
  std::string message;  // the refusal shown to the user; empty when nothing is shown
};

// The refusal texts.
inline constexpr const char* kSystemVolumeRefusal =
    "시스템 드라이브는 포맷할 수 없습니다.";
inline constexpr const char* kNotRemovableRefusal =
    "이동식 드라이브(메모리 카드)만 포맷할 수 있습니다.";

// Decides whether a volume may be formatted. Only volumes whose flags are
// exactly 2 or 6 are considered at all. The machine's own volumes (system
// mounts, any partition of their disks, EFI system partitions) and fixed
// disks are refused; image files and loop devices over them are allowed.
FormatDecision DecideCardFormat(const VolumeDescription& volume);

}  // namespace zv
