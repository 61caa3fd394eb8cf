// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SensorCsvWriter.h"

#include <QRegularExpression>
#include <QStringList>

#include "output/RecordingClock.h"
#include "sensors/GpsText.h"

namespace zv {
namespace {

QString Number(double value, int decimals) { return QString::number(value, 'f', decimals); }

// A field that holds a comma, a quote or a line break goes in quotes.
QString CsvField(const QString& text) {
  if (!text.contains(QRegularExpression(QStringLiteral("[\",\r\n]")))) return text;
  return '"' + QString(text).replace('"', QStringLiteral("\"\"")) + '"';
}

QStringList FixFields(const CGPSData& fix) {
  if (!fix.valid) return {QStringLiteral("gps"), {}, {}, {}, {}, {}, {}, {}};
  return {QStringLiteral("gps"), Number(NmeaToDegrees(fix.latitude), 7), Number(NmeaToDegrees(fix.longitude), 7),
          Number(fix.speedKmh, 1), Number(fix.course, 1), {}, {}, {}};
}

QStringList SampleFields(const CGSensorData& sample) {
  return {QStringLiteral("gsensor"), {}, {}, {}, {}, Number(sample.x / kGsensorRawPerG, 4),
          Number(sample.y / kGsensorRawPerG, 4), Number(sample.z / kGsensorRawPerG, 4)};
}

}  // namespace

QByteArray SensorCsvDocument(const std::vector<RecordingSensorFile>& recordings) {
  QByteArray out = "time,recording,offset_ms,kind,latitude,longitude,speed_kmh,course,x_g,y_g,z_g\r\n";
  for (const RecordingSensorFile& recording : recordings) {
    const RecordingClock clock = RecordingClock::Of(recording.nameClockMs, recording.records);
    const QString name = CsvField(QString::fromStdString(recording.entry.fileName));
    for (const SensorRecordValue& record : recording.records) {
      const auto* fix = std::get_if<CGPSData>(&record);
      const auto* sample = std::get_if<CGSensorData>(&record);
      const std::optional<int64_t> utc = clock.Of(record);
      QStringList row{utc ? QString::fromStdString(IsoUtcText(*utc)) : QString(), name,
                      QString::number(fix ? fix->timeMs : sample->timeMs)};
      row << (fix ? FixFields(*fix) : SampleFields(*sample));
      out += row.join(',').toUtf8() + "\r\n";
    }
  }
  return out;
}

}  // namespace zv
