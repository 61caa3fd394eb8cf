// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DeviceIdentity.h"

#include "platform/FormatPolicy.h"


namespace zv {

std::string DeviceIdentityChange(const DeviceIdentity& before, const DeviceIdentity& now) {
  if (now.devicePath != before.devicePath || now.deviceNumber != before.deviceNumber)
    return "카드가 바뀌었습니다: 다른 장치입니다.";
  if (now.sizeBytes != before.sizeBytes) return "카드가 바뀌었습니다: 크기가 다릅니다.";
  if (now.fileSystemUuid != before.fileSystemUuid) return "카드가 바뀌었습니다: 다른 볼륨입니다.";
  if (now.systemVolume) return kSystemVolumeRefusal;
  if (!now.removable) return kNotRemovableRefusal;
  return {};
}

// Whole units from 100 up, one decimal below, worked out in integers so
// that the decimal point does not follow the locale.
std::string CardSizeText(uint64_t bytes) {
  const char* units[] = {"B", "KB", "MB", "GB", "TB"};
  uint64_t tenths = bytes * 10;
  int unit = 0;
  while (tenths >= 10000 && unit < 4) {
    tenths = (tenths + 500) / 1000;
    ++unit;
  }
  if (unit == 0 || tenths >= 1000) return std::to_string((tenths + 5) / 10) + " " + units[unit];
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + units[unit];
}

}  // namespace zv
