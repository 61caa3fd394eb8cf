// SPDX-License-Identifier: GPL-3.0-or-later
#include "CSkinHeaderCtrl.h"

#include <QPainter>

namespace {
const QColor kCellFill(30, 30, 30);
constexpr int kTextDrop = 3;
}  // namespace

CSkinHeaderCtrl::CSkinHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

Qt::Alignment CSkinHeaderCtrl::ColumnAlignment(int column) {
  return (column == 0 || column == 3) ? Qt::AlignLeft : Qt::AlignHCenter;
}

void CSkinHeaderCtrl::paintEvent(QPaintEvent*) {
  if (!model()) return;
  QPainter painter(viewport());
  QFont font("굴림");
  font.setPointSize(10);
  painter.setFont(font);
  painter.setPen(Qt::white);
  for (int column = 0; column < count(); ++column) {
    if (isSectionHidden(column) || sectionSize(column) <= 0) continue;
    QRect cell(sectionViewportPosition(column), 0, sectionSize(column), viewport()->height());
    painter.fillRect(cell, kCellFill);
    cell.setTop(cell.top() + kTextDrop);
    const QString text = model()->headerData(column, orientation(), Qt::DisplayRole).toString();
    painter.drawText(cell, ColumnAlignment(column) | Qt::AlignTop | Qt::TextSingleLine, text);
  }
}
