// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonArtist.h"

#include <QPainter>

#include "PictureArtist.h"
#include "SkinPalette.h"

namespace mkskin {

namespace {

QColor WithAlpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

}  // namespace

QColor ButtonArtist::GlyphColour(ButtonState state) {
  switch (state) {
    case ButtonState::Hover: return kGlyphHover;
    case ButtonState::Selected: return kAccentLight;
    case ButtonState::Disabled: return kGlyphDisabled;
    case ButtonState::Normal: break;
  }
  return kGlyph;
}

QImage ButtonArtist::TopBarButton(Glyph glyph, ButtonState state) {
  QImage image = BlankImage(QSize(32, 31), Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF face(1.5, 1.5, 29.0, 28.0);
  if (state == ButtonState::Hover) {
    p.setPen(QPen(WithAlpha(kAccent, 200), 1.0));
    p.setBrush(WithAlpha(Qt::white, 30));
    p.drawRoundedRect(face, 4, 4);
  } else if (state == ButtonState::Selected) {
    p.setPen(QPen(kAccent, 1.0));
    p.setBrush(WithAlpha(kAccentDark, 170));
    p.drawRoundedRect(face, 4, 4);
  }
  IconPainter::Draw(p, glyph, QRectF(6.0, 5.5, 20.0, 20.0), GlyphColour(state));
  return image;
}

QImage ButtonArtist::WindowButton(Glyph glyph, ButtonState state) {
  QImage image = BlankImage(QSize(30, 24), kWindowBack);
  QPainter p(&image);
  // The button sits at y = 9 of the title strip.
  PictureArtist::PaintStripRows(p, 30, 9);
  p.setRenderHint(QPainter::Antialiasing, true);
  const bool close = glyph == Glyph::Close;
  if (state == ButtonState::Hover || state == ButtonState::Selected) {
    QColor face = close ? kCloseRed : kFaceHover;
    if (state == ButtonState::Selected) face = face.darker(140);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(1.0, 1.0, 28.0, 22.0), 3, 3);
  }
  const QColor ink = state == ButtonState::Disabled ? kGlyphDisabled
                     : state == ButtonState::Normal ? kGlyph
                                                    : kGlyphHover;
  IconPainter::Draw(p, glyph, QRectF(8.0, 5.0, 14.0, 14.0), ink);
  p.end();
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage ButtonArtist::RoundButton(Glyph glyph, ButtonState state) {
  QImage image = BlankImage(QSize(32, 32), kPanelBack);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QColor fill = kFace, ring = kFrameLine;
  switch (state) {
    case ButtonState::Hover: fill = kFaceHover; ring = kAccent; break;
    case ButtonState::Selected: fill = kAccentDark; ring = kAccent; break;
    case ButtonState::Disabled: fill = QColor(26, 26, 26); ring = QColor(48, 48, 48); break;
    case ButtonState::Normal: break;
  }
  QLinearGradient shade(0, 2, 0, 30);
  shade.setColorAt(0, fill.lighter(125));
  shade.setColorAt(1, fill.darker(125));
  p.setPen(QPen(ring, 1.2));
  p.setBrush(shade);
  p.drawEllipse(QPointF(16.0, 16.0), 14.4, 14.4);
  // The play symbol is optically centred a little to the right.
  const qreal nudge = glyph == Glyph::Play ? 1.0 : 0.0;
  IconPainter::Draw(p, glyph, QRectF(8.0 + nudge, 8.0, 16.0, 16.0), GlyphColour(state));
  p.end();
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage ButtonArtist::SmallButton(Glyph glyph, ButtonState state) {
  QImage image = BlankImage(QSize(24, 24), kPanelBack);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (state == ButtonState::Hover || state == ButtonState::Selected) {
    p.setPen(QPen(state == ButtonState::Hover ? kAccent : kFrameLine, 1.0));
    p.setBrush(state == ButtonState::Hover ? kFaceHover : kAccentDark);
    p.drawRoundedRect(QRectF(0.5, 0.5, 23.0, 23.0), 4, 4);
  }
  IconPainter::Draw(p, glyph, QRectF(3.0, 3.0, 18.0, 18.0), GlyphColour(state));
  p.end();
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage ButtonArtist::CaptionButton(const QString& caption, QSize size, const QColor& back,
                                   ButtonState state) {
  QImage image = BlankImage(size, back);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  QColor fill = kFace, border = kFrameLine, ink = kGlyph;
  switch (state) {
    case ButtonState::Selected: fill = kAccentDark; border = kAccent; ink = Qt::white; break;
    case ButtonState::Hover: fill = kFaceHover; border = kAccent; ink = Qt::white; break;
    case ButtonState::Disabled:
      fill = QColor(26, 26, 26); border = QColor(50, 50, 50); ink = kGlyphDisabled; break;
    case ButtonState::Normal: break;
  }
  QLinearGradient shade(0, 0, 0, size.height());
  shade.setColorAt(0, fill.lighter(120));
  shade.setColorAt(1, fill.darker(115));
  p.setPen(QPen(border, 1.0));
  p.setBrush(shade);
  p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), 3, 3);
  QFont font(kCaptionFace);
  font.setPixelSize(size.height() >= 22 ? 12 : 11);
  font.setBold(state == ButtonState::Selected);
  font.setHintingPreference(QFont::PreferFullHinting);
  p.setFont(font);
  p.setPen(ink);
  p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, caption);
  p.end();
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace mkskin
