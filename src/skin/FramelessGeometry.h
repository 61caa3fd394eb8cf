// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

#include "skin/LayoutRect.h"

namespace zv {

// Which border of a frameless window a point lies on: 10-pixel bands inside
// the client area, the corners first.
enum class BorderHit { None, TopLeft, TopRight, BottomLeft, BottomRight, Left, Top, Right, Bottom };

// The border under client point (x, y) of a width × height client area.
BorderHit HitTestBorder(int x, int y, int width, int height);

// The window edges a border band stands for, as the window system's own
// resize takes them; none for BorderHit::None.
Qt::Edges EdgesOf(BorderHit border);

// The resize cursor shown over a border band; the arrow elsewhere.
Qt::CursorShape CursorOf(BorderHit border);

// The window rectangle after dragging `border` to the screen point (x, y):
// a left or top edge stops where the window would become narrower or lower
// than the minimum; a right or bottom edge follows the pointer (the window's
// own size limit holds those).
LayoutRect ResizedWindowRect(const LayoutRect& window, BorderHit border, int x, int y,
                             int minWidth, int minHeight);

}  // namespace zv
