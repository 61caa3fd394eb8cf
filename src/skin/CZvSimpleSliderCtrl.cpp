// SPDX-License-Identifier: GPL-3.0-or-later
#include "CZvSimpleSliderCtrl.h"

#include <QPainter>

#include "CMemoryDC.h"

namespace {
constexpr QSize kChannel(66, 9);
}  // namespace

CZvSimpleSliderCtrl::CZvSimpleSliderCtrl(QWidget* parent)
    : CZvSkinSlider(parent, 1040, 1042, QColor(20, 20, 20), 15) {}

void CZvSimpleSliderCtrl::PaintChannel(QPainter& painter) {
  painter.fillRect(rect(), backgroundColour);
  CMemoryDC memory;
  if (!memory.Create(size())) return;
  DrawBitmapResource(memory.Painter(), channelImage, 0, 0, kChannel.width(), kChannel.height());
  painter.drawPixmap(QPoint(channelOffset, (height() - kChannel.height()) / 2), memory.Finish(),
                     QRect(QPoint(0, 0), kChannel));
}

void CZvSimpleSliderCtrl::PaintThumb(QPainter& painter) {
  DrawBitmapPart(painter, thumbImage, ThumbRect().left(), ThumbTop(), 11, 13, 1, 0);
}
