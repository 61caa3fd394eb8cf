#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "library/RecordingEntry.h"

// The rows of the recording list: number, date, time, kind, and two columns
// of zero width that carry the row's full path and file name.
class RecordingListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { Number, Date, Time, Kind, FullPath, FileName, ColumnCount };

  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(std::vector<zv::RecordingEntry> rows);
  const zv::RecordingEntry& Row(int row) const { return rows_.at(static_cast<size_t>(row)); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<zv::RecordingEntry> rows_;
};
