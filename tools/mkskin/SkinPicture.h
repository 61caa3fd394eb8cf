// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace mkskin {

// Where a picture goes among the program's resources: the bitmap kind has no
// alpha channel, the PNG kind keeps one, the icon is the program's icon.
enum class PictureKind { Bitmap, Png, Icon };

struct SkinPicture {
  int id = 0;
  PictureKind kind = PictureKind::Bitmap;
  QImage image;
};

// A new picture filled with one colour.
inline QImage BlankImage(QSize size, const QColor& fill,
                         QImage::Format format = QImage::Format_ARGB32_Premultiplied) {
  QImage image(size, format);
  image.fill(fill);
  return image;
}

// The states a button picture can show.
enum class ButtonState { Normal, Selected, Hover, Disabled };

}  // namespace mkskin
