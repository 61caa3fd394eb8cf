// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/FramelessWindowMover.h"

#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace zv {

void FramelessWindowMover::Press(const QPoint& at, BorderHit border) {
  QWindow* window = window_->windowHandle();
  const bool system = window && (border == BorderHit::None ? window->startSystemMove()
                                                           : window->startSystemResize(EdgesOf(border)));
  border_ = border;
  pressPoint_ = at;
  resizing_ = !system && border != BorderHit::None;
  dragging_ = !system && border == BorderHit::None;
}

bool FramelessWindowMover::Move(const QPoint& at, const QPoint& global) {
  if (resizing_) {
    const QRect g = window_->geometry();
    const LayoutRect next = ResizedWindowRect({g.left(), g.top(), g.right() + 1, g.bottom() + 1}, border_,
                                              global.x(), global.y(), minimum_.width(), minimum_.height());
    window_->setGeometry(next.left, next.top, std::max(next.width(), minimum_.width()),
                         std::max(next.height(), minimum_.height()));
  } else if (dragging_) {
    window_->move(window_->pos() + (at - pressPoint_));
  }
  return Active();
}

void FramelessWindowMover::Release() {
  resizing_ = false;
  dragging_ = false;
}

void FramelessWindowMover::ShowCursor(BorderHit border) {
  if (border == BorderHit::None) window_->unsetCursor();
  else window_->setCursor(CursorOf(border));
}

}  // namespace zv
