// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/RecordingRowDelegate.h"

#include <QPainter>

#include "library/CZvListCtrl.h"
#include "library/RecordingListModel.h"

namespace {
const QColor kTripLine(0, 128, 128);
}  // namespace

RecordingRowDelegate::RecordingRowDelegate(CZvListCtrl* list) : QStyledItemDelegate(list), list_(list) {}

// Grouped by trip: a line above each trip, and a bar down the left edge of
// the rows of a trip of several recordings.
void RecordingRowDelegate::PaintTripMarks(QPainter* painter, const QRect& cell, const QModelIndex& index) const {
  const auto* model = static_cast<const RecordingListModel*>(index.model());
  const zv::TripRowMark* mark = model->Mark(index.row());
  if (!mark) return;
  if (mark->indexInTrip == 0 && mark->trip > 0) painter->fillRect(cell.left(), cell.top(), cell.width(), 1, kTripLine);
  if (index.column() == 0 && mark->tripSize > 1) painter->fillRect(cell.left(), cell.top(), 3, cell.height(), kTripLine);
}

void RecordingRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  const CZvListCtrl::RowColours colours =
      list_->ColoursOfRow(index.row(), option.state.testFlag(QStyle::State_Selected));
  painter->save();
  painter->fillRect(option.rect, colours.back);
  PaintTripMarks(painter, option.rect, index);
  painter->setPen(colours.text);
  painter->setFont(option.font);
  const QRect textRect = option.rect.adjusted(2, 0, -2, 0);
  const int alignment = index.data(Qt::TextAlignmentRole).toInt();
  painter->drawText(textRect, alignment,
                    option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, textRect.width()));
  painter->restore();
}
