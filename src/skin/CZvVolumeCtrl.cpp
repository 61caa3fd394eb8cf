// SPDX-License-Identifier: GPL-3.0-or-later
#include "CZvVolumeCtrl.h"

#include <QMouseEvent>
#include <QtMath>
#include <algorithm>

#include "CMemoryDC.h"
#include "SkinImages.h"

namespace {
constexpr SkinImageId kEmptyBar = 20001;
constexpr SkinImageId kFullBar = 20002;
}  // namespace

CZvVolumeCtrl::CZvVolumeCtrl(QWidget* parent) : QWidget(parent) {
  setWindowTitle("ZvVolumeWnd");
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(70, 21);
}

int CZvVolumeCtrl::LevelAt(int x, int width) {
  if (x < 0) return 0;
  if (x >= width) return 10;
  // Eleven bands: a click in the first gives 0, in the last 10.
  const int band = width / 11;
  if (band <= 0) return 10;
  return std::clamp(x / band, 0, 10);
}

void CZvVolumeCtrl::paintEvent(QPaintEvent*) {
  CMemoryDC memory;
  if (!memory.Create(size())) return;
  const int w = width(), h = height();
  DrawBitmapResource(memory.Painter(), kEmptyBar, 0, 0, w, h);
  DrawBitmapResource(memory.Painter(), kFullBar, 0, 0, level * (w / 10), h);
  QPainter painter(this);
  memory.CopyTo(painter);
}

// Every press stays in the control; only the left button sets the level.
void CZvVolumeCtrl::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  level = LevelAt(qFloor(event->position().x()), width());
  repaint();
  emit volumeLevel(level);
}
