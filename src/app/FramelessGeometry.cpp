#include "app/FramelessGeometry.h"

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

LayoutRect ResizedWindowRect(const LayoutRect& window, BorderHit border, int x, int y,
                             int minWidth, int minHeight) {
  LayoutRect r = window;
  const bool left = border == BorderHit::Left || border == BorderHit::TopLeft || border == BorderHit::BottomLeft;
  const bool right = border == BorderHit::Right || border == BorderHit::TopRight || border == BorderHit::BottomRight;
  const bool top = border == BorderHit::Top || border == BorderHit::TopLeft || border == BorderHit::TopRight;
  const bool bottom = border == BorderHit::Bottom || border == BorderHit::BottomLeft || border == BorderHit::BottomRight;
  if (left) r.left = std::min(x, r.right - minWidth);
  if (right) r.right = x;
  if (top) r.top = std::min(y, r.bottom - minHeight);
  if (bottom) r.bottom = y;
  return r;
}

}  // namespace zv
