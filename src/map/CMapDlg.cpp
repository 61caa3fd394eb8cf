// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/CMapDlg.h"

#include <QMouseEvent>
#include <QPainter>

#include "map/CZvMapPanelCtrl.h"
#include "map/MapDlgLayout.h"
#include "map/MapMode.h"
#include "sensors/CZvTextCtrl.h"
#include "skin/CZvButtonCtrl.h"

namespace {
CMapDlg* g_mapDlg = nullptr;
const QColor kBackground(30, 30, 30);

}  // namespace

CMapDlg::CMapDlg(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint) {
  if (!g_mapDlg) g_mapDlg = this;
  OnInitDialog();
}

CMapDlg::~CMapDlg() {
  if (g_mapDlg == this) g_mapDlg = nullptr;
}

CMapDlg* CMapDlg::Instance() { return g_mapDlg; }

void CMapDlg::OnInitDialog() {
  setWindowTitle(QString());
  setMinimumSize(minWidth, minHeight);
  resize(minWidth, minHeight);
  setMouseTracking(true);

  closeButton = new CZvButtonCtrl(kCloseButtonId, this);
  closeButton->normalImage = 18121;
  closeButton->hoverImage = 18122;
  closeButton->disabledImage = 18123;
  connect(closeButton, &CZvButtonCtrl::command, this, &CMapDlg::OnCommand);

  mapPanel = new CZvMapPanelCtrl(kMapPanelId, this);
  mapPanel->setGeometry(-10, -10, 1, 1);
  titleText = new CZvTextCtrl(this, kTitleTextId);
  titleText->mode = 5;
  titleText->background = kBackground;
  positionText = new CZvTextCtrl(this, kPositionTextId);
  positionText->mode = 6;
  positionText->background = kBackground;
  for (QWidget* text : {static_cast<QWidget*>(titleText), static_cast<QWidget*>(positionText)})
    text->setGeometry(0, 0, 1, 1);

  LayoutControls();
  initialised_ = true;
}

void CMapDlg::LayoutControls() {
  const zv::MapDlgLayout layout = zv::ComputeMapDlgLayout(width(), height());
  closeButton->setGeometry(layout.closeButton.ToQRect());
  mapPanel->setGeometry(layout.mapPanel.ToQRect());
  titleText->setGeometry(layout.titleText.ToQRect());
  positionText->setGeometry(layout.positionText.ToQRect());
}

void CMapDlg::OnCommand(int id) {
  if (id == kCloseButtonId) SetMapMode(kMapDocked);
}

void CMapDlg::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), kBackground);
}

void CMapDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (initialised_) LayoutControls();
}

void CMapDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  mover_.Press(at, zv::HitTestBorder(at.x(), at.y(), width(), height()));
}

void CMapDlg::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!mover_.Move(at, event->globalPosition().toPoint()))
    mover_.ShowCursor(zv::HitTestBorder(at.x(), at.y(), width(), height()));
}

void CMapDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) mover_.Release();
  QDialog::mouseReleaseEvent(event);
}
