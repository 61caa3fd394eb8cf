#include "CZvScreenCtrl.h"

#include <QPainter>

CZvScreenCtrl::CZvScreenCtrl(QWidget* parent) : QWidget(parent) {
  setWindowTitle("ZvScreenWnd");
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Presses on the picture stay here: they neither move the window nor open
  // the window's menu.
  setAttribute(Qt::WA_NoMousePropagation);
}

void CZvScreenCtrl::SetFrame(const QImage& frame) {
  m_frame = frame;
  update();
}

void CZvScreenCtrl::ClearFrame() {
  m_frame = QImage();
  update();
}

void CZvScreenCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (m_frame.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  // Frames normally arrive at the screen's own size; only a frame made for
  // an older size is stretched.
  if (m_frame.size() == size()) {
    painter.drawImage(0, 0, m_frame);
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.drawImage(rect(), m_frame);
}
