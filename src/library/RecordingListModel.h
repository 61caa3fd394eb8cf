// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "library/RecordingEntry.h"
#include "library/RecordingListRows.h"

// The rows of the recording list: number, date, time, kind, and two columns
// of zero width that carry the row's full path and file name. Rows grouped
// by trip carry their trip marks, and the rows of a trip of several
// recordings tell its size and length as their tooltip.
class RecordingListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { Number, Date, Time, Kind, FullPath, FileName, ColumnCount };

  using QAbstractTableModel::QAbstractTableModel;

  // `marks` is empty when the rows are not grouped by trip.
  void SetRows(std::vector<zv::RecordingEntry> rows, std::vector<zv::TripRowMark> marks = {});
  const zv::RecordingEntry& Row(int row) const { return rows_.at(static_cast<size_t>(row)); }
  // The row's trip mark; null when the rows are not grouped.
  const zv::TripRowMark* Mark(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString TripText(int row) const;

  std::vector<zv::RecordingEntry> rows_;
  std::vector<zv::TripRowMark> marks_;
};
