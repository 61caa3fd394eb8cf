// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/CZvMapPanelCtrl.h"

#include <QPainter>

#include "map/CMapViewWnd.h"
#include "skin/CMemoryDC.h"

CZvMapPanelCtrl::CZvMapPanelCtrl(int id, QWidget* parent) : QWidget(parent), controlId(id) {
  setWindowTitle(QStringLiteral("ZvMapPanelCtrl"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CZvMapPanelCtrl::OnDetachView(CMapViewWnd* view) {
  hostedView = view;
  emit viewDetached();
}

void CZvMapPanelCtrl::paintEvent(QPaintEvent*) {
  CMemoryDC dc;
  if (!dc.Create(size())) return;
  dc.Painter().fillRect(rect(), QColor(20, 20, 20));
  QPainter window(this);
  dc.CopyTo(window);
}

void CZvMapPanelCtrl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!hostedView) return;
  hostedView->setGeometry(0, 0, width(), height());
  hostedView->update();
}
