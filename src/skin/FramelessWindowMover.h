// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>

#include "skin/FramelessGeometry.h"

class QWidget;

namespace zv {

// Moves and resizes a frameless top-level window by presses on its own
// surface: a left press in a border band resizes it, elsewhere it moves it.
// Both go through the window system (QWindow::startSystemMove and
// startSystemResize, which work on X11 and Wayland alike). Where the window
// system cannot (an X server without a window manager), the window follows
// the pointer by hand and never becomes smaller than its minimum.
class FramelessWindowMover {
 public:
  FramelessWindowMover(QWidget* window, QSize minimum) : window_(window), minimum_(minimum) {}

  // A left press at window point `at` on `border` (None: the body).
  void Press(const QPoint& at, BorderHit border);
  // The pointer moved to window point `at`, screen point `global`. True when
  // a move or resize by hand took it.
  bool Move(const QPoint& at, const QPoint& global);
  void Release();
  // A move or resize by hand is under way.
  bool Active() const { return resizing_ || dragging_; }
  // The resize cursor of `border`, the arrow for the body.
  void ShowCursor(BorderHit border);

 private:
  QWidget* window_;
  QSize minimum_;
  BorderHit border_ = BorderHit::None;
  QPoint pressPoint_;
  bool resizing_ = false;
  bool dragging_ = false;
};

}  // namespace zv
