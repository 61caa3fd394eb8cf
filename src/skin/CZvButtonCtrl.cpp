// SPDX-License-Identifier: GPL-3.0-or-later
#include "CZvButtonCtrl.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor kStripTopRows(80, 80, 80);
const QColor kButtonBack(10, 10, 10);
constexpr SkinImageId kTitleStrip = 1057;
}  // namespace

CZvButtonCtrl::CZvButtonCtrl(int id, QWidget* parent) : QAbstractButton(parent), commandId(id) {
  // The keyboard belongs to the owner window; the skinned buttons take no focus.
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(this, &QAbstractButton::clicked, this, [this] { emit command(commandId); });
}

SkinImageId CZvButtonCtrl::StateImage() const {
  if (!enabled) return disabledImage;
  if (selected) return selectedImage;
  return normalImage;
}

SkinImageId CZvButtonCtrl::ShownImage() const {
  return m_showsPassing ? m_passingImage : StateImage();
}

QSize CZvButtonCtrl::sizeHint() const {
  QPixmap picture = BitmapResource(normalImage);
  if (picture.isNull()) picture = PngResource(normalImage);
  return picture.isNull() ? QSize(32, 32) : picture.size();
}

void CZvButtonCtrl::PaintBackground(QPainter& painter) {
  if (topBar) {
    painter.fillRect(0, 0, width(), 7, kStripTopRows);
    painter.fillRect(0, 7, width(), height() - 7, kButtonBack);
    DrawBitmapPart(painter, kTitleStrip, 0, 0, 32, 8, 0, 9);
  } else {
    painter.fillRect(rect(), kButtonBack);
  }
}

bool CZvButtonCtrl::DrawSkinImage(QPainter& painter, SkinImageId id) {
  const bool isBitmap = HasBitmapResource(id);
  const bool isPng = !isBitmap && HasPngResource(id);
  PaintBackground(painter);
  if (isBitmap) {
    DrawBitmapResource(painter, id, 0, 0, width(), height(), false);
  } else if (isPng) {
    if (PngResource(id).isNull()) return false;
    DrawPngResource(painter, id);
  }
  return true;
}

void CZvButtonCtrl::Redraw() {
  m_showsPassing = false;
  repaint();
}

void CZvButtonCtrl::ShowPicture(SkinImageId id) {
  m_showsPassing = true;
  m_passingImage = id;
  repaint();
}

void CZvButtonCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawSkinImage(painter, ShownImage());
}

bool CZvButtonCtrl::TakesMouseButton(QMouseEvent* event) {
  // A disabled button swallows presses and releases, so no click comes of
  // them; an enabled one is redrawn in its state picture by the press.
  if (!enabled) {
    event->accept();
    return false;
  }
  m_showsPassing = false;
  return true;
}

void CZvButtonCtrl::mousePressEvent(QMouseEvent* event) {
  if (TakesMouseButton(event)) QAbstractButton::mousePressEvent(event);
}

void CZvButtonCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (TakesMouseButton(event)) QAbstractButton::mouseReleaseEvent(event);
}

void CZvButtonCtrl::mouseMoveEvent(QMouseEvent* event) {
  if (enabled && hoverImage != 0) {
    ShowPicture(hoverImage);
    m_watchesLeave = true;
  }
  QAbstractButton::mouseMoveEvent(event);
}

void CZvButtonCtrl::leaveEvent(QEvent* event) {
  // Only a button that showed its hover picture asked to hear of the leave.
  if (m_watchesLeave) {
    m_watchesLeave = false;
    ShowPicture(normalImage);
  }
  QAbstractButton::leaveEvent(event);
}
