// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/CpuScreenSurface.h"

#include <QPainter>

CpuScreenSurface::CpuScreenSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CpuScreenSurface::ShowFrame(const zv::VideoFrame& frame) {
  m_frame = frame;
  update();
}

QSize CpuScreenSurface::DeviceSize() const {
  const qreal ratio = devicePixelRatioF();
  return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

// The frame at the widget's device size, made again only for a new frame
// or a new size.
const QImage& CpuScreenSurface::Picture() {
  const QSize size = DeviceSize();
  if (m_pictureKey == m_frame.Key() && m_picture.size() == size) return m_picture;
  if (m_picture.size() != size) m_picture = QImage(size, QImage::Format_RGB32);
  m_scaler.Scale(m_frame.Picture(), reinterpret_cast<uint32_t*>(m_picture.bits()), size.width(), size.height(),
                 static_cast<int>(m_picture.bytesPerLine()));
  m_picture.setDevicePixelRatio(devicePixelRatioF());
  m_pictureKey = m_frame.Key();
  ++m_made;
  return m_picture;
}

QImage CpuScreenSurface::Grab() {
  if (m_frame.IsNull() || DeviceSize().isEmpty()) return {};
  return Picture().copy();
}

void CpuScreenSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (m_frame.IsNull() || DeviceSize().isEmpty()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  // One device pixel of the picture to one of the screen.
  painter.drawImage(rect(), Picture());
}
