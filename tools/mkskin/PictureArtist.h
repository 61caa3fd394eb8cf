// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QPainter;

namespace mkskin {

// Paints the skin's pictures that are not buttons: title strip and logo, the
// idle picture, slider parts, volume bar, speed gauge, no-data picture, icon.
class PictureArtist {
public:
  // Paints the title strip's rows from firstRow on at y = 0, width wide.
  static void PaintStripRows(QPainter& painter, int width, int firstRow);

  static QImage TitleStrip();        // 1057, 100 x 33
  static QImage Logo();              // 1056, 163 x 33
  static QImage IdlePicture();       // 1044, 720 x 421
  static QImage SeekChannel();       // 1034, 547 x 9
  static QImage SeekThumb();         // 1036, 11 x 22
  static QImage SmallChannel();      // 1040, 66 x 9
  static QImage SmallThumb();        // 1042, 13 x 13
  static QImage ProgressFill();      // 1055, 3 x 7
  static QImage VolumeBar(bool full);  // 20001 empty, 20002 full, 70 x 21
  static QImage GaugeBackground();   // 20011, 124 x 38
  static QImage DecimalPoint();      // 20012, 6 x 18, on white
  static QImage Digit(int digit);    // 20014 + digit, 10 x 18, on white
  static QImage NoGpsData();         // 148, 128 x 158
  // The program's icon, size x size with alpha (128 for the skin; the
  // desktop's icon theme takes 16 to 256).
  static QImage ProgramIcon(int size = 128);
  // Draws the icon into a size x size box at the origin, on any device
  // (an image, or an SVG generator for the scalable icon). Below 48 pixels
  // the name is left out: it would not be legible.
  static void PaintProgramIcon(QPainter& painter, int size);

private:
  static QImage Channel(int width, const QColor& back);
  static void PaintSegments(QPainter& painter, int x, int y, int digit, const QColor& ink);
};

}  // namespace mkskin
