// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactSheet.h"

#include <QPainter>
#include <algorithm>

namespace mkskin {

namespace {

constexpr int kSheetWidth = 1480;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 16;
const QColor kSheetBack(96, 96, 96);

QString KindName(PictureKind kind) {
  switch (kind) {
    case PictureKind::Png: return "png";
    case PictureKind::Icon: return "icon";
    case PictureKind::Bitmap: break;
  }
  return "bmp";
}

}  // namespace

int ContactSheet::ScaleOf(const QImage& image) {
  return image.width() <= 128 && image.height() <= 160 ? 2 : 1;
}

int ContactSheet::CellWidth(const QFontMetrics& metrics, const SkinPicture& picture) {
  return std::max(picture.image.width() * ScaleOf(picture.image),
                  metrics.horizontalAdvance("00000 icon 000x000") + 4);
}

void ContactSheet::DrawCell(QPainter& p, const SkinPicture& picture, QPoint topLeft) {
  const int scale = ScaleOf(picture.image);
  const QRect target(topLeft, picture.image.size() * scale);
  if (picture.kind != PictureKind::Bitmap) {
    for (int y = 0; y < target.height(); y += 6) {
      for (int x = 0; x < target.width(); x += 6) {
        const QColor square = ((x + y) / 6) % 2 ? QColor(44, 44, 44) : QColor(28, 28, 28);
        p.fillRect(QRect(target.topLeft() + QPoint(x, y), QSize(6, 6)).intersected(target), square);
      }
    }
  }
  p.drawImage(target, picture.image);
  p.setPen(Qt::white);
  p.drawText(QRect(topLeft.x(), target.bottom() + 2, CellWidth(p.fontMetrics(), picture), kLabelHeight),
             Qt::AlignLeft | Qt::AlignTop,
             QString("%1 %2 %3x%4").arg(picture.id).arg(KindName(picture.kind))
                 .arg(picture.image.width()).arg(picture.image.height()));
}

QImage ContactSheet::Compose(const std::vector<SkinPicture>& pictures) {
  // First pass places the cells in rows; the second paints them.
  struct Cell { const SkinPicture* picture; QPoint topLeft; };
  std::vector<Cell> cells;
  int x = kMargin, y = kMargin, rowHeight = 0;
  const QFont labelFont("DejaVu Sans", 8);
  const QFontMetrics metrics(labelFont);
  for (const SkinPicture& picture : pictures) {
    const QSize shown = picture.image.size() * ScaleOf(picture.image);
    const int width = CellWidth(metrics, picture);
    if (x + width > kSheetWidth - kMargin && x > kMargin) {
      x = kMargin;
      y += rowHeight + kMargin;
      rowHeight = 0;
    }
    cells.push_back({&picture, QPoint(x, y)});
    x += width + kMargin;
    rowHeight = std::max(rowHeight, shown.height() + kLabelHeight + 2);
  }
  QImage sheet(kSheetWidth, y + rowHeight + kMargin, QImage::Format_RGB32);
  sheet.fill(kSheetBack);
  QPainter p(&sheet);
  p.setFont(labelFont);
  for (const Cell& cell : cells) DrawCell(p, *cell.picture, cell.topLeft);
  return sheet;
}

}  // namespace mkskin
