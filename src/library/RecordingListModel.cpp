// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/RecordingListModel.h"

void RecordingListModel::SetRows(std::vector<zv::RecordingEntry> rows, std::vector<zv::TripRowMark> marks) {
  beginResetModel();
  rows_ = std::move(rows);
  marks_ = std::move(marks);
  endResetModel();
}

const zv::TripRowMark* RecordingListModel::Mark(int row) const {
  return row >= 0 && static_cast<size_t>(row) < marks_.size() ? &marks_[static_cast<size_t>(row)] : nullptr;
}

// "여행: 영상 3개, 3:00" for the rows of a trip of several recordings.
QString RecordingListModel::TripText(int row) const {
  const zv::TripRowMark* mark = Mark(row);
  if (!mark || mark->tripSize < 2) return {};
  const int64_t seconds = mark->tripMs / 1000;
  return QString::asprintf("여행: 영상 %d개, %lld:%02lld", mark->tripSize, static_cast<long long>(seconds / 60),
                           static_cast<long long>(seconds % 60));
}

int RecordingListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordingListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecordingListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue<int>((index.column() == Kind ? Qt::AlignLeft : Qt::AlignHCenter) |
                                    Qt::AlignVCenter);
  if (role == Qt::ToolTipRole) return TripText(index.row());
  if (role != Qt::DisplayRole) return {};
  const zv::RecordingEntry& entry = rows_[static_cast<size_t>(index.row())];
  switch (index.column()) {
    case Number: return QString::number(index.row() + 1);
    case Date: return QString::fromStdString(entry.date);
    case Time: return QString::fromStdString(entry.time);
    case Kind: return QString::fromStdString(entry.kindName);
    case FullPath: return QString::fromStdString(entry.fullPath);
    case FileName: return QString::fromStdString(entry.fileName);
    default: return {};
  }
}

QVariant RecordingListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kTitles[ColumnCount] = {"번호", "날짜", "시간", "유형", "    ", ""};
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
  if (role == Qt::DisplayRole) return QString::fromUtf8(kTitles[section]);
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue<int>((section == Kind ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
  return {};
}
