// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/DriveEntry.h"
#include "platform/ICardFormatter.h"

namespace zv {

// The formatter for a listed volume: mkfs.fat for an image file, udisks2 for
// a block device.
std::unique_ptr<ICardFormatter> CreateCardFormatter(const DriveEntry& drive);

}  // namespace zv
