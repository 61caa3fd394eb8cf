// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontMetrics>
#include <QImage>
#include <vector>

#include "SkinPicture.h"

namespace mkskin {

// Lays every picture out on one review sheet, each labelled with its id and
// kind. Small pictures are shown twice their size so their detail can be seen;
// pictures with alpha are shown over a checkerboard.
class ContactSheet {
public:
  static QImage Compose(const std::vector<SkinPicture>& pictures);

private:
  static int ScaleOf(const QImage& image);
  static int CellWidth(const QFontMetrics& metrics, const SkinPicture& picture);
  static void DrawCell(QPainter& painter, const SkinPicture& picture, QPoint topLeft);
};

}  // namespace mkskin
