// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMemoryDC.h"

CMemoryDC::~CMemoryDC() {
  if (m_painter.isActive()) m_painter.end();
}

bool CMemoryDC::Create(QSize size) {
  if (m_created || size.isEmpty()) return false;
  m_surface = QPixmap(size);
  m_surface.fill(Qt::black);
  m_created = m_painter.begin(&m_surface);
  return m_created;
}

const QPixmap& CMemoryDC::Finish() {
  if (m_painter.isActive()) m_painter.end();
  return m_surface;
}

void CMemoryDC::CopyTo(QPainter& target, int x, int y) {
  if (!m_created) return;
  target.drawPixmap(x, y, Finish());
}
