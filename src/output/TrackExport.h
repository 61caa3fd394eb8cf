// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sensors/RecordingSensorFile.h"
#include "output/TrackPart.h"

namespace zv {

enum class TrackFormat { Gpx, Kml, Csv };

// "gpx", "kml" or "csv" (any letter case).
std::optional<TrackFormat> TrackFormatFromName(std::string_view name);

// Writes the GPS track or the sensor records of recordings to one file:
// reads every recording, orders them by their start, joins them into trips,
// and writes the file in one step (a file that exists is replaced only when
// the new one is complete).
class TrackExport {
 public:
  // Called after each recording read with the count so far and the total;
  // returning false cancels the export.
  using Progress = std::function<bool(int done, int total)>;

  TrackExport(std::vector<std::string> paths, TrackFormat format) : paths_(std::move(paths)), format_(format) {}

  // False with a one-line error when a recording cannot be read, a track
  // format finds no valid fix, the file cannot be written or the progress
  // callback cancelled; nothing is written then.
  bool Write(const QString& outPath, const Progress& progress = {});
  const std::string& Error() const { return error_; }

  // The recordings as track parts, one per trip, in time order (read, for
  // tests and the map).
  static std::vector<TrackPart> TrackPartsOf(std::vector<RecordingSensorFile> recordings);

 private:
  bool ReadAll(std::vector<RecordingSensorFile>& out, const Progress& progress);
  bool Fail(std::string error);

  std::vector<std::string> paths_;
  TrackFormat format_;
  std::string error_;
};

// Orders recordings by their name time (those without one last, by path).
void SortByStart(std::vector<RecordingSensorFile>& recordings);

}  // namespace zv
