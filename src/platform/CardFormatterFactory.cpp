// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CardFormatterFactory.h"

#include <QFileInfo>

#include "platform/MkfsFatFormatter.h"
#include "platform/UDisksCardFormatter.h"

namespace zv {

std::unique_ptr<ICardFormatter> CreateCardFormatter(const DriveEntry& drive) {
  const QString device = QString::fromStdString(drive.devicePath);
  if (QFileInfo(device).isFile()) return std::make_unique<MkfsFatFormatter>(device);
  return std::make_unique<UDisksCardFormatter>(device);
}

}  // namespace zv
