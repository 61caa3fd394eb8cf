// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <vector>

#include "output/TrackPart.h"

namespace zv {

// A KML 2.2 document with one placemark per part: a LineString (a Point
// when the part has one fix) with the TimeSpan of its first and last timed
// points. Parts without points are left out.
QByteArray KmlDocument(const std::vector<TrackPart>& parts);

}  // namespace zv
