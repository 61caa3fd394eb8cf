// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <vector>

#include "sensors/RecordingSensorFile.h"

namespace zv {

// The sensor records of recordings as CSV (RFC 4180, CRLF line ends), one
// row per record in file order, recordings in the order given:
//
//   time,recording,offset_ms,kind,latitude,longitude,speed_kmh,course,x_g,y_g,z_g
//
// time is UTC in ISO 8601 (RecordingClock), empty when unknown; kind is
// "gps" or "gsensor". A fix fills latitude to course (empty when it is not a
// valid fix), a G-sensor sample x_g to z_g.
QByteArray SensorCsvDocument(const std::vector<RecordingSensorFile>& recordings);

}  // namespace zv
