// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureArtist.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

#include "SkinPalette.h"
#include "SkinPicture.h"

namespace mkskin {

namespace {

QImage Opaque(QSize size, const QColor& back) {
  return BlankImage(size, back, QImage::Format_RGB32);
}

// A rounded plate with a vertical gradient and a frame line.
void PaintPlate(QPainter& p, const QRectF& box, qreal radius, const QColor& top,
                const QColor& bottom, const QPen& frame) {
  QLinearGradient shade(box.topLeft(), box.bottomLeft());
  shade.setColorAt(0, top);
  shade.setColorAt(1, bottom);
  p.setPen(frame);
  p.setBrush(shade);
  p.drawRoundedRect(box, radius, radius);
}

QColor Mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                          a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

QFont CaptionFont(int pixelSize, bool bold) {
  QFont font(kCaptionFace);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// Draws "VARNI" in the accent colour and "Viewer" in light grey, starting at
// the left of the box and centred vertically in it.
void PaintProductName(QPainter& p, const QRectF& box, int pixelSize) {
  const QFont brand = CaptionFont(pixelSize, true);
  const QFont rest = CaptionFont(pixelSize, false);
  const qreal brandWidth = QFontMetricsF(brand).horizontalAdvance("VARNI ");
  p.setFont(brand);
  p.setPen(kAccent);
  p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, "VARNI");
  p.setFont(rest);
  p.setPen(QColor(220, 220, 220));
  p.drawText(box.adjusted(brandWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, "Viewer");
}

qreal ProductNameWidth(int pixelSize) {
  return QFontMetricsF(CaptionFont(pixelSize, true)).horizontalAdvance("VARNI ") +
         QFontMetricsF(CaptionFont(pixelSize, false)).horizontalAdvance("Viewer");
}

// A camera lens: rings around a dark pupil with a highlight.
void PaintLens(QPainter& p, QPointF centre, qreal radius) {
  p.setPen(QPen(kAccent, radius * 0.12));
  p.setBrush(QColor(24, 24, 24));
  p.drawEllipse(centre, radius, radius);
  QRadialGradient glass(centre, radius * 0.62, centre - QPointF(radius * 0.2, radius * 0.2));
  glass.setColorAt(0, kAccentLight);
  glass.setColorAt(0.45, kAccentDark);
  glass.setColorAt(1, QColor(8, 24, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(glass);
  p.drawEllipse(centre, radius * 0.62, radius * 0.62);
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawEllipse(centre - QPointF(radius * 0.22, radius * 0.22), radius * 0.12, radius * 0.12);
}

}  // namespace

void PictureArtist::PaintStripRows(QPainter& painter, int width, int firstRow) {
  for (int row = firstRow; row < kStripFadeRows; ++row) {
    const qreal t = static_cast<qreal>(row) / (kStripFadeRows - 1);
    painter.fillRect(0, row - firstRow, width, 1, Mix(kStripTop, kWindowBack, t));
  }
}

QImage PictureArtist::TitleStrip() {
  QImage image = Opaque(QSize(100, 33), kWindowBack);
  QPainter p(&image);
  PaintStripRows(p, 100, 0);
  p.fillRect(0, 0, 100, 1, QColor(78, 78, 78));
  return image;
}

QImage PictureArtist::Logo() {
  QImage image = Opaque(QSize(163, 33), kWindowBack);
  QPainter p(&image);
  PaintStripRows(p, 163, 0);
  p.fillRect(0, 0, 163, 1, QColor(78, 78, 78));
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  PaintLens(p, QPointF(14.5, 17.0), 9.0);
  PaintProductName(p, QRectF(30, 2, 133, 30), 17);
  return image;
}

QImage PictureArtist::IdlePicture() {
  QImage image = Opaque(QSize(720, 421), kWindowBack);
  QPainter p(&image);
  QRadialGradient glow(QPointF(360, 190), 420);
  glow.setColorAt(0, QColor(30, 36, 40));
  glow.setColorAt(1, kWindowBack);
  p.fillRect(image.rect(), glow);
  // A faint grid, as on a monitor test card.
  p.setPen(QColor(255, 255, 255, 9));
  for (int x = 0; x < 720; x += 40) p.drawLine(x, 0, x, 420);
  for (int y = 20; y < 421; y += 40) p.drawLine(0, y, 719, y);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  PaintLens(p, QPointF(360, 165), 46);
  const int namePx = 44;
  const qreal nameWidth = ProductNameWidth(namePx);
  PaintProductName(p, QRectF(360 - nameWidth / 2, 232, nameWidth + 4, 60), namePx);
  p.setPen(QPen(kAccentDark, 2));
  p.drawLine(QPointF(360 - nameWidth / 2, 300), QPointF(360 + nameWidth / 2, 300));
  return image;
}

QImage PictureArtist::Channel(int width, const QColor& back) {
  QImage image = Opaque(QSize(width, 9), back);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  PaintPlate(p, QRectF(0.5, 0.5, width - 1.0, 8.0), 4, QColor(4, 4, 4), QColor(40, 40, 40),
             QPen(QColor(72, 72, 72), 1.0));
  return image;
}

QImage PictureArtist::SeekChannel() { return Channel(547, kWindowBack); }

QImage PictureArtist::SmallChannel() {
  QImage image = Channel(66, kPanelBack);
  QPainter p(&image);
  // A mark at the middle: the normal rate and brightness.
  p.fillRect(32, 2, 2, 5, QColor(110, 110, 110));
  return image;
}

QImage PictureArtist::SeekThumb() {
  QImage image = Opaque(QSize(11, 22), kWindowBack);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient body(0, 0, 11, 0);
  body.setColorAt(0, QColor(235, 235, 235));
  body.setColorAt(1, QColor(150, 150, 150));
  p.setPen(QPen(QColor(60, 60, 60), 1.0));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(0.5, 0.5, 10.0, 21.0), 3.5, 3.5);
  p.fillRect(QRectF(4.5, 5, 2, 12), kAccent);
  return image;
}

QImage PictureArtist::SmallThumb() {
  QImage image = Opaque(QSize(13, 13), kPanelBack);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QRadialGradient body(QPointF(5.5, 5.0), 6.5);
  body.setColorAt(0, QColor(245, 245, 245));
  body.setColorAt(1, QColor(140, 140, 140));
  p.setPen(QPen(QColor(60, 60, 60), 1.0));
  p.setBrush(body);
  // Drawn from x 1, 11 wide: the knob is centred in columns 1 to 11.
  p.drawEllipse(QRectF(1.5, 1.5, 10.0, 10.0));
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(6.5, 6.5), 1.8, 1.8);
  return image;
}

QImage PictureArtist::ProgressFill() {
  QImage image = Opaque(QSize(3, 7), kAccent);
  QPainter p(&image);
  QLinearGradient fill(0, 0, 0, 7);
  fill.setColorAt(0, kAccentLight);
  fill.setColorAt(1, kAccentDark);
  p.fillRect(image.rect(), fill);
  return image;
}

QImage PictureArtist::VolumeBar(bool full) {
  QImage image = Opaque(QSize(70, 21), kPanelBack);
  QPainter p(&image);
  // Ten steps, 7 pixels each, rising from left to right.
  for (int i = 0; i < 10; ++i) {
    const int height = 4 + (i * 15) / 9;
    const QRect bar(7 * i + 1, 20 - height, 5, height);
    if (full) {
      const QColor low = kAccentDark, high = kAccentLight;
      p.fillRect(bar, Mix(low, high, i / 9.0));
    } else {
      p.fillRect(bar, QColor(52, 52, 52));
      p.fillRect(bar.left(), bar.top(), bar.width(), 1, QColor(70, 70, 70));
    }
  }
  return image;
}

void PictureArtist::PaintSegments(QPainter& p, int x, int y, int digit, const QColor& ink) {
  // Seven segments a..g on a 10 x 18 cell, two pixels thick, drawn without
  // antialiasing so no blended pixels appear against a white key colour.
  static constexpr std::array<unsigned char, 10> kLit = {
      0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  static constexpr std::array<QRect, 7> kSegment = {
      QRect(2, 0, 6, 2),  QRect(8, 2, 2, 6),  QRect(8, 10, 2, 6), QRect(2, 16, 6, 2),
      QRect(0, 10, 2, 6), QRect(0, 2, 2, 6),  QRect(2, 8, 6, 2)};
  const unsigned char lit = digit < 0 ? 0x7F : kLit[digit];
  for (int s = 0; s < 7; ++s) {
    if (lit & (1 << s)) p.fillRect(kSegment[s].translated(x, y), ink);
  }
}

QImage PictureArtist::GaugeBackground() {
  QImage image = Opaque(QSize(124, 38), kPanelBack);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  PaintPlate(p, QRectF(0.5, 0.5, 123.0, 37.0), 4, QColor(14, 20, 22), QColor(4, 8, 10),
             QPen(kFrameLine, 1.0));
  p.setRenderHint(QPainter::Antialiasing, false);
  // Unlit segments behind the places the digits go (x 20, 32, 44, 60 at y 11).
  const QColor ghost(26, 40, 44);
  for (int x : {20, 32, 44, 60}) PaintSegments(p, x, 11, -1, ghost);
  p.fillRect(57, 26, 2, 2, ghost);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(CaptionFont(11, false));
  p.setPen(QColor(150, 150, 150));
  p.drawText(QRect(76, 14, 44, 16), Qt::AlignLeft | Qt::AlignBottom, "km/h");
  return image;
}

QImage PictureArtist::Digit(int digit) {
  QImage image = Opaque(QSize(10, 18), kKeyWhite);
  QPainter p(&image);
  PaintSegments(p, 0, 0, digit, kAccentLight);
  return image;
}

QImage PictureArtist::DecimalPoint() {
  QImage image = Opaque(QSize(6, 18), kKeyWhite);
  QPainter p(&image);
  p.fillRect(2, 15, 2, 2, kAccentLight);
  return image;
}

QImage PictureArtist::NoGpsData() {
  QImage image = Opaque(QSize(128, 158), kNoDataBack);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  // A database: a cylinder of three stacked discs.
  const QColor body(150, 150, 150), edge(205, 205, 205);
  const qreal left = 34, width = 60, rim = 9;
  p.setPen(QPen(edge, 2.0));
  p.setBrush(body);
  QPainterPath cylinder;
  cylinder.moveTo(left, 30);
  cylinder.lineTo(left, 96);
  cylinder.arcTo(QRectF(left, 96 - rim, width, 2 * rim), 180, 180);
  cylinder.lineTo(left + width, 30);
  p.drawPath(cylinder);
  p.setBrush(Qt::NoBrush);
  for (qreal y : {52.0, 74.0}) p.drawArc(QRectF(left, y - rim, width, 2 * rim), 180 * 16, 180 * 16);
  p.setBrush(body.lighter(120));
  p.drawEllipse(QRectF(left, 30 - rim, width, 2 * rim));
  // Crossed out: a red ring with a bar through it.
  const QColor red(220, 60, 50);
  p.setPen(QPen(red, 6.0, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(64, 62), 47, 47);
  p.drawLine(QPointF(31, 29), QPointF(97, 95));
  p.setFont(CaptionFont(14, true));
  p.setPen(QColor(235, 235, 235));
  p.drawText(QRect(0, 122, 128, 28), Qt::AlignCenter, QString::fromUtf8("GPS 데이터 없음"));
  return image;
}

QImage PictureArtist::ProgramIcon(int size) {
  QImage image = BlankImage(QSize(size, size), Qt::transparent);
  QPainter p(&image);
  PaintProgramIcon(p, size);
  return image;
}

void PictureArtist::PaintProgramIcon(QPainter& p, int size) {
  constexpr qreal kGrid = 128;
  const bool named = size >= 48;
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(size / kGrid, size / kGrid);
  PaintPlate(p, QRectF(6, 6, 116, 116), 24, QColor(58, 58, 58), QColor(16, 16, 16),
             QPen(kFrameLine, named ? 3.0 : 6.0));
  if (named) {
    PaintLens(p, QPointF(64, 56), 34);
    // The name as outlines, so that the scalable icon needs no font.
    QPainterPath name;
    name.addText(0, 0, CaptionFont(22, true), "VARNI");
    const QRectF box = name.boundingRect();
    name.translate(64 - box.center().x(), 106 - box.center().y());
    p.fillPath(name, kAccent);
  } else {
    PaintLens(p, QPointF(64, 64), 42);
  }
  p.restore();
}

}  // namespace mkskin
