// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

namespace zv {

// A rectangle by its edges: it holds its left and top edge and not its right
// and bottom edge, so width = right − left.
struct LayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  static LayoutRect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  QRect ToQRect() const { return QRect(left, top, width(), height()); }
  bool operator==(const LayoutRect&) const = default;
};

}  // namespace zv
