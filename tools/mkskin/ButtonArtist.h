// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include "IconPainter.h"
#include "SkinPicture.h"

namespace mkskin {

// Paints the faces of the skin's buttons, one picture per state.
class ButtonArtist {
public:
  // 32 x 31 with alpha; the button draws the title strip behind it.
  static QImage TopBarButton(Glyph glyph, ButtonState state);
  // 30 x 24 opaque, repeating the title strip rows behind the button.
  static QImage WindowButton(Glyph glyph, ButtonState state);
  // 32 x 32 opaque round button on the panel colour (transport, map).
  static QImage RoundButton(Glyph glyph, ButtonState state);
  // 24 x 24 opaque symbol on the panel colour (speed, brightness, sound).
  static QImage SmallButton(Glyph glyph, ButtonState state);
  // A captioned button of the given size on the given background.
  static QImage CaptionButton(const QString& caption, QSize size, const QColor& back,
                              ButtonState state);

private:
  static QColor GlyphColour(ButtonState state);
};

}  // namespace mkskin
