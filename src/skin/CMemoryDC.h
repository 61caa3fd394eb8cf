// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>
#include <QPixmap>

// An off-screen drawing surface of a window's client size. A control paints
// everything into it and then copies the whole surface to the screen in one
// step, so the screen never shows a half-painted control.
class CMemoryDC {
public:
  CMemoryDC() = default;
  ~CMemoryDC();
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;

  // Makes the surface (black, like a new bitmap) and starts painting on it.
  // Refused (false) when the surface was already created or the size is empty.
  bool Create(QSize size);
  bool IsCreated() const { return m_created; }

  QPainter& Painter() { return m_painter; }
  QSize Size() const { return m_surface.size(); }

  // Ends painting and hands out the finished surface.
  const QPixmap& Finish();
  // Ends painting and copies the surface to (x, y) of the target.
  void CopyTo(QPainter& target, int x = 0, int y = 0);

private:
  QPixmap m_surface;
  QPainter m_painter;
  bool m_created = false;
};
