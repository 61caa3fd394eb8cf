// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/CZvSpeedCtrl.h"

#include <QPainter>

#include "sensors/SpeedGaugeDigits.h"
#include "skin/CMemoryDC.h"
#include "skin/SkinImages.h"

CZvSpeedCtrl::CZvSpeedCtrl(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("ZvSpeedWnd"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoMousePropagation);  // presses stay in the gauge
  setGeometry(0, 0, 124, 38);
}

void CZvSpeedCtrl::Redraw() { repaint(); }

void CZvSpeedCtrl::paintEvent(QPaintEvent*) {
  CMemoryDC dc;
  if (!dc.Create(size())) return;
  QPainter& p = dc.Painter();
  DrawBitmapResource(p, zv::kSpeedBackgroundImage, 0, 0, width(), height());
  for (const zv::SpeedGlyph& glyph : zv::SpeedGaugeGlyphs(speedKmh)) {
    const QSize size = BitmapResource(glyph.imageId).size();
    DrawBitmapResource(p, glyph.imageId, glyph.x, zv::kSpeedGlyphTop, size.width(), size.height(),
                       true, Qt::white);
  }
  QPainter window(this);
  dc.CopyTo(window);
}
