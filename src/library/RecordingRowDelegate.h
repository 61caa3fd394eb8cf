// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class CZvListCtrl;

// Paints the recording list's rows in the list's colours: the open
// recording's row, then a selected row, then even and odd rows (or trips,
// when the rows are grouped by trip).
class RecordingRowDelegate : public QStyledItemDelegate {
 public:
  explicit RecordingRowDelegate(CZvListCtrl* list);
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  void PaintTripMarks(QPainter* painter, const QRect& cell, const QModelIndex& index) const;

  CZvListCtrl* list_;
};
