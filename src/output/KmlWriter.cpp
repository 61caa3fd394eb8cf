// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/KmlWriter.h"

#include <QStringList>
#include <QXmlStreamWriter>

#include "output/RecordingClock.h"

namespace zv {
namespace {

constexpr const char* kKmlNamespace = "http://www.opengis.net/kml/2.2";

QString Coordinates(const std::vector<TrackPoint>& points) {
  QStringList all;
  all.reserve(static_cast<qsizetype>(points.size()));
  for (const TrackPoint& p : points)
    all << QString::number(p.longitudeDeg, 'f', 7) + ',' + QString::number(p.latitudeDeg, 'f', 7) + ",0";
  return all.join(' ');
}

void WriteTimeSpan(QXmlStreamWriter& xml, const std::vector<TrackPoint>& points) {
  std::optional<int64_t> begin, end;
  for (const TrackPoint& p : points) {
    if (!p.utcMs) continue;
    if (!begin) begin = p.utcMs;
    end = p.utcMs;
  }
  if (!begin) return;
  xml.writeStartElement("TimeSpan");
  xml.writeTextElement("begin", QString::fromStdString(IsoUtcText(*begin)));
  xml.writeTextElement("end", QString::fromStdString(IsoUtcText(*end)));
  xml.writeEndElement();
}

void WritePlacemark(QXmlStreamWriter& xml, const TrackPart& part) {
  xml.writeStartElement("Placemark");
  xml.writeTextElement("name", QString::fromStdString(part.name));
  xml.writeTextElement("styleUrl", "#route");
  WriteTimeSpan(xml, part.points);
  xml.writeStartElement(part.points.size() == 1 ? "Point" : "LineString");
  if (part.points.size() > 1) xml.writeTextElement("tessellate", "1");
  xml.writeTextElement("coordinates", Coordinates(part.points));
  xml.writeEndElement();
  xml.writeEndElement();
}

}  // namespace

QByteArray KmlDocument(const std::vector<TrackPart>& parts) {
  QByteArray out;
  QXmlStreamWriter xml(&out);
  xml.setAutoFormatting(true);
  xml.writeStartDocument();
  xml.writeDefaultNamespace(kKmlNamespace);
  xml.writeStartElement(kKmlNamespace, "kml");
  xml.writeStartElement("Document");
  xml.writeTextElement("name", "VARNI Viewer");
  xml.writeStartElement("Style");
  xml.writeAttribute("id", "route");
  xml.writeStartElement("LineStyle");
  xml.writeTextElement("color", "ff0080ff");
  xml.writeTextElement("width", "4");
  xml.writeEndElement();
  xml.writeEndElement();
  for (const TrackPart& part : parts)
    if (!part.points.empty()) WritePlacemark(xml, part);
  xml.writeEndElement();
  xml.writeEndElement();
  xml.writeEndDocument();
  return out;
}

}  // namespace zv
