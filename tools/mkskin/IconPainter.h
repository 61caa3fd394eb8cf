// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace mkskin {

// The symbols drawn on the skin's buttons.
enum class Glyph {
  OpenFolder, Camera, Disk, Printer, Gear, Magnifier, Info,
  Minimise, Maximise, Close,
  Previous, Rewind, Play, Pause, Forward, Next,
  Speed, Brightness, SpeakerOn, SpeakerOff, Map,
};

// Draws one symbol in a single colour into a square box. The symbols are
// designed on a 16 x 16 grid and scaled to the box.
class IconPainter {
public:
  static void Draw(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour);

private:
  static void DrawOpenFolder(QPainter& p);
  static void DrawCamera(QPainter& p);
  static void DrawDisk(QPainter& p);
  static void DrawPrinter(QPainter& p);
  static void DrawGear(QPainter& p);
  static void DrawMagnifier(QPainter& p);
  static void DrawInfo(QPainter& p);
  static void DrawWindowGlyph(QPainter& p, Glyph glyph);
  static void DrawTransport(QPainter& p, Glyph glyph);
  static void DrawSpeed(QPainter& p);
  static void DrawBrightness(QPainter& p);
  static void DrawSpeaker(QPainter& p, bool on);
  static void DrawMap(QPainter& p);
};

}  // namespace mkskin
