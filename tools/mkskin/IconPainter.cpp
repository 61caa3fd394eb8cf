// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace mkskin {

namespace {

constexpr qreal kGrid = 16.0;
constexpr qreal kStroke = 1.3;

QColor Ink(const QPainter& p) { return p.pen().color(); }

void FillPolygon(QPainter& p, std::initializer_list<QPointF> points) {
  p.save();
  p.setBrush(Ink(p));
  p.setPen(Qt::NoPen);
  p.drawPolygon(QPolygonF(QList<QPointF>(points)));
  p.restore();
}

void FillRect(QPainter& p, const QRectF& r) { p.fillRect(r, Ink(p)); }

void FillDot(QPainter& p, QPointF centre, qreal radius) {
  p.save();
  p.setBrush(Ink(p));
  p.setPen(Qt::NoPen);
  p.drawEllipse(centre, radius, radius);
  p.restore();
}

void DrawStroke(QPainter& p, QPointF from, QPointF to, qreal width) {
  QPen pen = p.pen();
  pen.setWidthF(width);
  p.save();
  p.setPen(pen);
  p.drawLine(from, to);
  p.restore();
}

}  // namespace

void IconPainter::Draw(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.translate(box.topLeft());
  painter.scale(box.width() / kGrid, box.height() / kGrid);
  painter.setPen(QPen(colour, kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  switch (glyph) {
    case Glyph::OpenFolder: DrawOpenFolder(painter); break;
    case Glyph::Camera: DrawCamera(painter); break;
    case Glyph::Disk: DrawDisk(painter); break;
    case Glyph::Printer: DrawPrinter(painter); break;
    case Glyph::Gear: DrawGear(painter); break;
    case Glyph::Magnifier: DrawMagnifier(painter); break;
    case Glyph::Info: DrawInfo(painter); break;
    case Glyph::Minimise:
    case Glyph::Maximise:
    case Glyph::Close: DrawWindowGlyph(painter, glyph); break;
    case Glyph::Previous:
    case Glyph::Rewind:
    case Glyph::Play:
    case Glyph::Pause:
    case Glyph::Forward:
    case Glyph::Next: DrawTransport(painter, glyph); break;
    case Glyph::Speed: DrawSpeed(painter); break;
    case Glyph::Brightness: DrawBrightness(painter); break;
    case Glyph::SpeakerOn: DrawSpeaker(painter, true); break;
    case Glyph::SpeakerOff: DrawSpeaker(painter, false); break;
    case Glyph::Map: DrawMap(painter); break;
  }
  painter.restore();
}

void IconPainter::DrawOpenFolder(QPainter& p) {
  // Back of the folder with its tab, and the opened front flap.
  QPainterPath back;
  back.moveTo(1.5, 13.5);
  back.lineTo(1.5, 3.0);
  back.lineTo(5.5, 3.0);
  back.lineTo(7.0, 4.5);
  back.lineTo(12.5, 4.5);
  back.lineTo(12.5, 6.5);
  p.drawPath(back);
  QColor flap = Ink(p);
  flap.setAlphaF(flap.alphaF() * 0.45);
  p.save();
  p.setBrush(flap);
  p.drawPolygon(QPolygonF({{1.5, 13.5}, {4.0, 7.0}, {15.0, 7.0}, {12.5, 13.5}}));
  p.restore();
}

void IconPainter::DrawCamera(QPainter& p) {
  p.drawRoundedRect(QRectF(1.0, 4.5, 14.0, 9.5), 1.5, 1.5);
  p.drawPolyline(QPolygonF({{5.0, 4.5}, {6.2, 2.5}, {9.8, 2.5}, {11.0, 4.5}}));
  p.drawEllipse(QPointF(8.0, 9.2), 3.0, 3.0);
  FillDot(p, QPointF(8.0, 9.2), 1.2);
  FillDot(p, QPointF(12.8, 6.6), 0.7);
}

void IconPainter::DrawDisk(QPainter& p) {
  p.drawPolygon(QPolygonF({{2.0, 2.0}, {12.0, 2.0}, {14.0, 4.0}, {14.0, 14.0}, {2.0, 14.0}}));
  p.drawRect(QRectF(4.5, 2.0, 6.5, 4.0));
  FillRect(p, QRectF(8.6, 2.8, 1.4, 2.4));
  p.drawRect(QRectF(4.0, 8.8, 8.0, 5.2));
}

void IconPainter::DrawPrinter(QPainter& p) {
  p.drawPolyline(QPolygonF({{4.0, 6.0}, {4.0, 1.8}, {12.0, 1.8}, {12.0, 6.0}}));
  p.drawRoundedRect(QRectF(1.2, 6.0, 13.6, 6.0), 1.2, 1.2);
  p.save();
  p.setBrush(p.pen().color().darker(400));
  p.drawRect(QRectF(4.0, 9.5, 8.0, 5.0));
  p.restore();
  p.drawLine(QPointF(5.7, 11.5), QPointF(10.3, 11.5));
  FillRect(p, QRectF(11.8, 7.4, 1.4, 1.2));
}

void IconPainter::DrawGear(QPainter& p) {
  constexpr int kTeeth = 8;
  QPainterPath gear;
  for (int i = 0; i < kTeeth * 2; ++i) {
    const qreal a0 = (i - 0.5) * M_PI / kTeeth;
    const qreal a1 = (i + 0.5) * M_PI / kTeeth;
    const qreal r = (i % 2 == 0) ? 7.0 : 5.2;
    const QPointF from(8.0 + r * qCos(a0), 8.0 + r * qSin(a0));
    const QPointF to(8.0 + r * qCos(a1), 8.0 + r * qSin(a1));
    if (i == 0) gear.moveTo(from); else gear.lineTo(from);
    gear.lineTo(to);
  }
  gear.closeSubpath();
  gear.addEllipse(QPointF(8.0, 8.0), 2.2, 2.2);
  gear.setFillRule(Qt::OddEvenFill);
  p.save();
  p.setBrush(Ink(p));
  p.setPen(Qt::NoPen);
  p.drawPath(gear);
  p.restore();
}

void IconPainter::DrawMagnifier(QPainter& p) {
  p.drawEllipse(QPointF(6.5, 6.5), 4.6, 4.6);
  DrawStroke(p, QPointF(10.2, 10.2), QPointF(14.2, 14.2), 2.6);
  p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
  p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
}

void IconPainter::DrawInfo(QPainter& p) {
  p.drawEllipse(QPointF(8.0, 8.0), 6.6, 6.6);
  FillDot(p, QPointF(8.0, 4.9), 1.05);
  FillRect(p, QRectF(7.1, 6.9, 1.8, 5.6));
}

void IconPainter::DrawWindowGlyph(QPainter& p, Glyph glyph) {
  QPen pen = p.pen();
  pen.setWidthF(1.6);
  pen.setCapStyle(Qt::SquareCap);
  p.setPen(pen);
  if (glyph == Glyph::Minimise) {
    p.drawLine(QPointF(3.5, 12.0), QPointF(12.5, 12.0));
  } else if (glyph == Glyph::Maximise) {
    p.drawRect(QRectF(3.5, 3.5, 9.0, 9.0));
    p.drawLine(QPointF(3.5, 4.5), QPointF(12.5, 4.5));
  } else {
    p.drawLine(QPointF(3.8, 3.8), QPointF(12.2, 12.2));
    p.drawLine(QPointF(12.2, 3.8), QPointF(3.8, 12.2));
  }
}

void IconPainter::DrawTransport(QPainter& p, Glyph glyph) {
  switch (glyph) {
    case Glyph::Play:
      FillPolygon(p, {{4.5, 2.5}, {13.5, 8.0}, {4.5, 13.5}});
      break;
    case Glyph::Pause:
      FillRect(p, QRectF(4.0, 3.0, 3.0, 10.0));
      FillRect(p, QRectF(9.0, 3.0, 3.0, 10.0));
      break;
    case Glyph::Rewind:
      FillPolygon(p, {{8.0, 3.5}, {1.0, 8.0}, {8.0, 12.5}});
      FillPolygon(p, {{15.0, 3.5}, {8.0, 8.0}, {15.0, 12.5}});
      break;
    case Glyph::Forward:
      FillPolygon(p, {{1.0, 3.5}, {8.0, 8.0}, {1.0, 12.5}});
      FillPolygon(p, {{8.0, 3.5}, {15.0, 8.0}, {8.0, 12.5}});
      break;
    case Glyph::Previous:
      FillRect(p, QRectF(2.5, 3.5, 2.0, 9.0));
      FillPolygon(p, {{4.5, 8.0}, {9.5, 3.5}, {9.5, 12.5}});
      FillPolygon(p, {{9.5, 8.0}, {14.5, 3.5}, {14.5, 12.5}});
      break;
    case Glyph::Next:
      FillPolygon(p, {{1.5, 3.5}, {6.5, 8.0}, {1.5, 12.5}});
      FillPolygon(p, {{6.5, 3.5}, {11.5, 8.0}, {6.5, 12.5}});
      FillRect(p, QRectF(11.5, 3.5, 2.0, 9.0));
      break;
    default:
      break;
  }
}

void IconPainter::DrawSpeed(QPainter& p) {
  // A dial with its needle: the playback rate.
  p.drawArc(QRectF(1.5, 3.0, 13.0, 13.0), 200 * 16, -220 * 16);
  for (int i = 0; i <= 4; ++i) {
    const qreal a = qDegreesToRadians(200.0 - i * 55.0);
    p.drawLine(QPointF(8.0 + 5.0 * qCos(a), 9.5 - 5.0 * qSin(a)),
               QPointF(8.0 + 6.3 * qCos(a), 9.5 - 6.3 * qSin(a)));
  }
  DrawStroke(p, QPointF(8.0, 9.5), QPointF(11.3, 5.2), 1.6);
  FillDot(p, QPointF(8.0, 9.5), 1.4);
}

void IconPainter::DrawBrightness(QPainter& p) {
  FillDot(p, QPointF(8.0, 8.0), 3.2);
  for (int i = 0; i < 8; ++i) {
    const qreal a = i * M_PI / 4.0;
    p.drawLine(QPointF(8.0 + 5.0 * qCos(a), 8.0 + 5.0 * qSin(a)),
               QPointF(8.0 + 6.9 * qCos(a), 8.0 + 6.9 * qSin(a)));
  }
}

void IconPainter::DrawSpeaker(QPainter& p, bool on) {
  FillPolygon(p, {{1.5, 5.8}, {4.5, 5.8}, {8.5, 2.2}, {8.5, 13.8}, {4.5, 10.2}, {1.5, 10.2}});
  if (on) {
    p.drawArc(QRectF(6.0, 4.8, 6.4, 6.4), -50 * 16, 100 * 16);
    p.drawArc(QRectF(4.6, 2.4, 10.8, 11.2), -50 * 16, 100 * 16);
  } else {
    p.drawLine(QPointF(10.5, 5.5), QPointF(15.0, 10.5));
    p.drawLine(QPointF(15.0, 5.5), QPointF(10.5, 10.5));
  }
}

void IconPainter::DrawMap(QPainter& p) {
  // A folded map with a marked position.
  p.drawPolygon(QPolygonF({{1.0, 3.5}, {5.5, 2.0}, {10.5, 3.5}, {15.0, 2.0},
                           {15.0, 13.0}, {10.5, 14.5}, {5.5, 13.0}, {1.0, 14.5}}));
  p.drawLine(QPointF(5.5, 2.0), QPointF(5.5, 13.0));
  p.drawLine(QPointF(10.5, 3.5), QPointF(10.5, 14.5));
  // A marked place on the middle panel.
  FillDot(p, QPointF(8.0, 6.0), 1.3);
  DrawStroke(p, QPointF(8.0, 7.6), QPointF(8.0, 11.5), 0.9);
}

}  // namespace mkskin
