// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <vector>

#include "output/TrackPart.h"

namespace zv {

// A GPX 1.1 document with one track per part, each one segment. Points carry
// their time when known; speed (m/s) and course (degrees) go in the
// TrackPointExtension that mapping tools read. Fixes hold no elevation, so
// points have none.
QByteArray GpxDocument(const std::vector<TrackPart>& parts);

}  // namespace zv
