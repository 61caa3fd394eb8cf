// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/CMapNoDataWnd.h"

#include <QPainter>

#include "skin/SkinImages.h"

CMapNoDataWnd::CMapNoDataWnd(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("ZvMapNoDataWnd"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(0, 0, 100, 100);
  hide();
}

void CMapNoDataWnd::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(51, 51, 51));
  const QSize picture = BitmapResource(kPicture).size();
  // Integer division, so a smaller area gives a negative offset.
  const int x = (width() - picture.width()) / 2;
  const int y = (height() - picture.height()) / 2;
  DrawBitmapResource(p, kPicture, x, y, picture.width(), picture.height());
}
