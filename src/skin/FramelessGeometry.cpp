// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/FramelessGeometry.h"

#include <algorithm>

namespace zv {

BorderHit HitTestBorder(int x, int y, int w, int h) {
  constexpr int b = 10;
  const struct {
    LayoutRect band;
    BorderHit hit;
  } bands[] = {
      {{0, 0, b, b}, BorderHit::TopLeft},         {{w - b, 0, w, b}, BorderHit::TopRight},
      {{0, h - b, b, h}, BorderHit::BottomLeft},  {{w - b, h - b, w, h}, BorderHit::BottomRight},
      {{0, 0, b, h}, BorderHit::Left},            {{0, 0, w, b}, BorderHit::Top},
      {{w - b, 0, w, h}, BorderHit::Right},       {{0, h - b, w, h}, BorderHit::Bottom},
  };
  for (const auto& band : bands)
    if (band.band.Contains(x, y)) return band.hit;
  return BorderHit::None;
}

Qt::Edges EdgesOf(BorderHit border) {
  switch (border) {
    case BorderHit::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case BorderHit::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case BorderHit::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case BorderHit::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    case BorderHit::Left: return Qt::LeftEdge;
    case BorderHit::Top: return Qt::TopEdge;
    case BorderHit::Right: return Qt::RightEdge;
    case BorderHit::Bottom: return Qt::BottomEdge;
    case BorderHit::None: break;
  }
  return {};
}

Qt::CursorShape CursorOf(BorderHit border) {
  switch (border) {
    case BorderHit::TopLeft: case BorderHit::BottomRight: return Qt::SizeFDiagCursor;
    case BorderHit::TopRight: case BorderHit::BottomLeft: return Qt::SizeBDiagCursor;
    case BorderHit::Left: case BorderHit::Right: return Qt::SizeHorCursor;
    case BorderHit::Top: case BorderHit::Bottom: return Qt::SizeVerCursor;
    case BorderHit::None: break;
  }
  return Qt::ArrowCursor;
}

LayoutRect ResizedWindowRect(const LayoutRect& window, BorderHit border, int x, int y,
                             int minWidth, int minHeight) {
  LayoutRect r = window;
  const Qt::Edges edges = EdgesOf(border);
  if (edges.testFlag(Qt::LeftEdge)) r.left = std::min(x, r.right - minWidth);
  if (edges.testFlag(Qt::RightEdge)) r.right = x;
  if (edges.testFlag(Qt::TopEdge)) r.top = std::min(y, r.bottom - minHeight);
  if (edges.testFlag(Qt::BottomEdge)) r.bottom = y;
  return r;
}

}  // namespace zv
