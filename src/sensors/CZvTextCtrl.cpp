// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/CZvTextCtrl.h"

#include <QPainter>

#include "skin/CMemoryDC.h"

CZvTextCtrl::CZvTextCtrl(QWidget* parent, int id) : QWidget(parent), controlId(id) {
  setWindowTitle(QStringLiteral("ZvTextWnd"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoMousePropagation);  // presses stay in the text line
}

void CZvTextCtrl::paintEvent(QPaintEvent*) {
  CMemoryDC dc;
  if (!dc.Create(size())) return;
  QPainter& p = dc.Painter();
  p.fillRect(rect(), background);
  QFont font(QStringLiteral("굴림"));
  for (const zv::InfoTextItem& item : zv::InfoPanelTexts(*this)) {
    font.setPointSize(item.pointSize);
    p.setFont(font);
    p.setPen(QColor::fromRgb(item.rgb));
    p.drawText(QPoint(item.x, item.y + p.fontMetrics().ascent()), item.text);
  }
  QPainter window(this);
  dc.CopyTo(window);
}
