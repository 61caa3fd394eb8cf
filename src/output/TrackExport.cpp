// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TrackExport.h"

#include <QSaveFile>

#include <algorithm>

#include "library/TripBuilder.h"
#include "output/GpxWriter.h"
#include "output/KmlWriter.h"
#include "output/RecordingClock.h"
#include "output/SensorCsvWriter.h"
#include "sensors/GpsText.h"

namespace zv {
namespace {

TrackPoint PointOf(const CGPSData& fix, const RecordingClock& clock) {
  return {NmeaToDegrees(fix.latitude), NmeaToDegrees(fix.longitude), clock.Of(fix), fix.speedKmh, fix.course};
}

void AppendPoints(const RecordingSensorFile& recording, std::vector<TrackPoint>& points) {
  const RecordingClock clock = RecordingClock::Of(recording.nameClockMs, recording.records);
  for (const SensorRecordValue& record : recording.records)
    if (const auto* fix = std::get_if<CGPSData>(&record); fix && fix->valid) points.push_back(PointOf(*fix, clock));
}

}  // namespace

std::optional<TrackFormat> TrackFormatFromName(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower == "gpx") return TrackFormat::Gpx;
  if (lower == "kml") return TrackFormat::Kml;
  if (lower == "csv") return TrackFormat::Csv;
  return std::nullopt;
}

void SortByStart(std::vector<RecordingSensorFile>& recordings) {
  std::stable_sort(recordings.begin(), recordings.end(), [](const auto& a, const auto& b) {
    if (a.nameClockMs.has_value() != b.nameClockMs.has_value()) return a.nameClockMs.has_value();
    if (a.nameClockMs && *a.nameClockMs != *b.nameClockMs) return *a.nameClockMs < *b.nameClockMs;
    return a.entry.fullPath < b.entry.fullPath;
  });
}

std::vector<TrackPart> TrackExport::TrackPartsOf(std::vector<RecordingSensorFile> recordings) {
  SortByStart(recordings);
  std::vector<RecordingEntry> entries;
  for (const RecordingSensorFile& r : recordings) entries.push_back(r.entry);
  const std::vector<Trip> trips =
      BuildTrips(entries, [&](size_t i) { return std::optional<int64_t>(recordings[i].durationMs); });
  std::vector<TrackPart> parts;
  for (const Trip& trip : trips) {
    TrackPart part{recordings[trip.members.front()].entry.fileName, {}};
    for (size_t member : trip.members) AppendPoints(recordings[member], part.points);
    if (!part.points.empty()) parts.push_back(std::move(part));
  }
  return parts;
}

bool TrackExport::Fail(std::string error) {
  error_ = std::move(error);
  return false;
}

bool TrackExport::ReadAll(std::vector<RecordingSensorFile>& out, const Progress& progress) {
  const int total = static_cast<int>(paths_.size());
  for (int i = 0; i < total; ++i) {
    RecordingSensorFile recording;
    std::string error;
    if (!recording.Read(paths_[static_cast<size_t>(i)], error)) return Fail(error);
    out.push_back(std::move(recording));
    if (progress && !progress(i + 1, total)) return Fail("cancelled");
  }
  return true;
}

bool TrackExport::Write(const QString& outPath, const Progress& progress) {
  if (paths_.empty()) return Fail("no recording to export");
  std::vector<RecordingSensorFile> recordings;
  if (!ReadAll(recordings, progress)) return false;
  QByteArray document;
  if (format_ == TrackFormat::Csv) {
    SortByStart(recordings);
    document = SensorCsvDocument(recordings);
  } else {
    const std::vector<TrackPart> parts = TrackPartsOf(std::move(recordings));
    if (parts.empty()) return Fail("the recordings hold no valid GPS fix");
    document = format_ == TrackFormat::Gpx ? GpxDocument(parts) : KmlDocument(parts);
  }
  QSaveFile file(outPath);
  if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size() || !file.commit())
    return Fail(outPath.toStdString() + ": " + file.errorString().toStdString());
  return true;
}

}  // namespace zv
