#include "library/RecordingRowDelegate.h"

#include <QPainter>

#include "library/CZvListCtrl.h"

RecordingRowDelegate::RecordingRowDelegate(CZvListCtrl* list) : QStyledItemDelegate(list), list_(list) {}

void RecordingRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  const CZvListCtrl::RowColours colours =
      list_->ColoursOfRow(index.row(), option.state.testFlag(QStyle::State_Selected));
  painter->save();
  painter->fillRect(option.rect, colours.back);
  painter->setPen(colours.text);
  painter->setFont(option.font);
  const QRect textRect = option.rect.adjusted(2, 0, -2, 0);
  const int alignment = index.data(Qt::TextAlignmentRole).toInt();
  painter->drawText(textRect, alignment,
                    option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, textRect.width()));
  painter->restore();
}
