// SPDX-License-Identifier: GPL-3.0-or-later
#include "CZvPanelCtrl.h"

#include <QPaintEvent>
#include <QPainter>

#include "CZvButtonCtrl.h"

CZvPanelCtrl::CZvPanelCtrl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CZvPanelCtrl::AddButton(CZvButtonCtrl* button) {
  button->setParent(this);
  connect(button, &CZvButtonCtrl::command, this, &CZvPanelCtrl::command, Qt::QueuedConnection);
}

void CZvPanelCtrl::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
}
