// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/GpxWriter.h"

#include <QXmlStreamWriter>

#include "output/RecordingClock.h"

namespace zv {
namespace {

constexpr const char* kGpxNamespace = "http://www.topografix.com/GPX/1/1";
constexpr const char* kExtensionNamespace = "http://www.garmin.com/xmlschemas/TrackPointExtension/v2";
constexpr double kMetresPerSecondPerKmh = 1 / 3.6;

QString Number(double value, int decimals) { return QString::number(value, 'f', decimals); }

void WritePoint(QXmlStreamWriter& xml, const TrackPoint& point) {
  xml.writeStartElement("trkpt");
  xml.writeAttribute("lat", Number(point.latitudeDeg, 7));
  xml.writeAttribute("lon", Number(point.longitudeDeg, 7));
  if (point.utcMs) xml.writeTextElement("time", QString::fromStdString(IsoUtcText(*point.utcMs)));
  xml.writeStartElement("extensions");
  xml.writeStartElement(kExtensionNamespace, "TrackPointExtension");
  xml.writeTextElement(kExtensionNamespace, "speed", Number(point.speedKmh * kMetresPerSecondPerKmh, 2));
  xml.writeTextElement(kExtensionNamespace, "course", Number(point.courseDeg, 1));
  xml.writeEndElement();
  xml.writeEndElement();
  xml.writeEndElement();
}

}  // namespace

QByteArray GpxDocument(const std::vector<TrackPart>& parts) {
  QByteArray out;
  QXmlStreamWriter xml(&out);
  xml.setAutoFormatting(true);
  xml.writeStartDocument();
  xml.writeDefaultNamespace(kGpxNamespace);
  xml.writeNamespace(kExtensionNamespace, "gpxtpx");
  xml.writeStartElement(kGpxNamespace, "gpx");
  xml.writeAttribute("version", "1.1");
  xml.writeAttribute("creator", "VARNI Viewer");
  for (const TrackPart& part : parts) {
    xml.writeStartElement("trk");
    xml.writeTextElement("name", QString::fromStdString(part.name));
    xml.writeStartElement("trkseg");
    for (const TrackPoint& point : part.points) WritePoint(xml, point);
    xml.writeEndElement();
    xml.writeEndElement();
  }
  xml.writeEndElement();
  xml.writeEndDocument();
  return out;
}

}  // namespace zv
