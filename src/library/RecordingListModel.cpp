#include "library/RecordingListModel.h"

void RecordingListModel::SetRows(std::vector<zv::RecordingEntry> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
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
