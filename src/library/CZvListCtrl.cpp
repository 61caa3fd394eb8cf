// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/CZvListCtrl.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>

#include "library/RecordingDurations.h"
#include "library/RecordingLibrary.h"
#include "library/RecordingListModel.h"
#include "library/RecordingListRows.h"
#include "library/RecordingRowDelegate.h"

CZvListCtrl::CZvListCtrl(QWidget* parent) : QTreeView(parent), model_(new RecordingListModel(this)) {
  setModel(model_);
  connect(&zv::RecordingDurations::Instance(), &zv::RecordingDurations::durationsRead, this, [this] {
    if (groupByTrip_) Regroup();
  });
}

void CZvListCtrl::Initialize() {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setItemsExpandable(false);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFrameShape(QFrame::NoFrame);
  // A dark scroll bar that belongs to the skin rather than the desktop theme.
  verticalScrollBar()->setStyleSheet(
      "QScrollBar:vertical { background: rgb(30,30,30); width: 12px; margin: 0; }"
      "QScrollBar::handle:vertical { background: rgb(90,90,90); min-height: 24px; border-radius: 3px; margin: 1px; }"
      "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
      "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
  setItemDelegate(new RecordingRowDelegate(this));
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFont(QFont("굴림", 9));
  QPalette colours = palette();
  colours.setColor(QPalette::Base, QColor(10, 10, 10));
  colours.setColor(QPalette::Text, QColor(150, 150, 150));
  setPalette(colours);
  header()->setMinimumSectionSize(0);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  const int widths[] = {40, 80, 80, 150, 0, 0};
  for (int c = 0; c < 6; ++c) header()->resizeSection(c, widths[c]);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
}

bool CZvListCtrl::Fill(int kind) {
  setUpdatesEnabled(false);
  SetRowsForKind(kind);
  setUpdatesEnabled(true);
  currentRow = -1;
  SetCurrentRow(0);
  return true;
}

void CZvListCtrl::SetRowsForKind(int kind) {
  filledKind_ = kind;
  std::vector<zv::RecordingEntry> rows = zv::SortedRowsForKind(zv::RecordingLibrary::Instance(), kind);
  if (!groupByTrip_) return model_->SetRows(std::move(rows));
  zv::RecordingDurations& durations = zv::RecordingDurations::Instance();
  std::vector<std::string> paths;
  for (const zv::RecordingEntry& row : rows) paths.push_back(row.fullPath);
  durations.Request(paths);
  std::vector<zv::TripRowMark> marks =
      zv::GroupRowsByTrip(rows, [&](const std::string& path) { return durations.Cached(path); });
  model_->SetRows(std::move(rows), std::move(marks));
}

void CZvListCtrl::SetGroupByTrip(bool on) {
  groupByTrip_ = on;
  Regroup();
}

// The same rows again in the present order, with the open recording, the
// selection and the scroll position kept.
void CZvListCtrl::Regroup() {
  const std::string current = currentRow >= 0 && currentRow < RowCount() ? model_->Row(currentRow).fullPath : "";
  const std::vector<std::string> selected = SelectedPaths();
  const int scroll = verticalScrollBar()->value();
  SetRowsForKind(filledKind_);
  currentRow = -1;
  QItemSelection selection;
  for (int row = 0; row < RowCount(); ++row) {
    const std::string& path = model_->Row(row).fullPath;
    if (path == current) currentRow = row;
    if (std::find(selected.begin(), selected.end(), path) != selected.end())
      selection.select(model_->index(row, 0), model_->index(row, RecordingListModel::ColumnCount - 1));
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  verticalScrollBar()->setValue(scroll);
  viewport()->update();
}

std::vector<std::string> CZvListCtrl::SelectedPaths() const {
  std::vector<std::string> paths;
  QModelIndexList rows = selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  for (const QModelIndex& index : rows) paths.push_back(model_->Row(index.row()).fullPath);
  return paths;
}

int CZvListCtrl::RowCount() const { return model_->rowCount(); }

void CZvListCtrl::RedrawRow(int row) {
  viewport()->update(visualRect(model_->index(row, 0)).adjusted(0, 0, viewport()->width(), 0));
}

void CZvListCtrl::SetCurrentRow(int row) {
  const int n = RowCount();
  if (row == currentRow) return;
  if (currentRow >= 0 && currentRow < n) {
    const int old = currentRow;
    currentRow = -1;
    RedrawRow(old);
  }
  if (row >= 0 && row < n) {
    currentRow = row;
    RedrawRow(row);
  }
}

void CZvListCtrl::SelectRow(int row) {
  const QModelIndex index = model_->index(row, 0);
  if (index.isValid()) {
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
  }
  viewport()->update();
  SetCurrentRow(row);
}

std::string CZvListCtrl::ColumnText(int row, int column) const {
  if (row < 0 || row >= RowCount()) return {};
  const std::string text = model_->data(model_->index(row, column), Qt::DisplayRole).toString().toStdString();
  return text.size() < 4 ? std::string() : text;
}

std::string CZvListCtrl::RowFullPath(int row) const { return ColumnText(row, RecordingListModel::FullPath); }

std::string CZvListCtrl::RowFileName(int row) const { return ColumnText(row, RecordingListModel::FileName); }

std::string CZvListCtrl::CurrentFileName() const {
  return RowCount() > 0 && currentRow >= 0 && currentRow < RowCount() ? RowFileName(currentRow) : std::string();
}

int CZvListCtrl::FindRowByFileName(const std::string& name) const {
  const QString wanted = QString::fromStdString(name);
  for (int row = 0; row < RowCount(); ++row)
    if (QString::fromStdString(model_->Row(row).fileName).compare(wanted, Qt::CaseInsensitive) == 0) return row;
  return -1;
}

// Grouped by trip, the stripes run trip by trip instead of row by row.
CZvListCtrl::RowColours CZvListCtrl::ColoursOfRow(int row, bool selected) const {
  if (row == currentRow) return {currentText, currentBack};
  if (selected) return {selectedText, selectedBack};
  const zv::TripRowMark* mark = model_->Mark(row);
  const int stripe = mark ? mark->trip : row;
  return {rowText, stripe % 2 == 0 ? evenRowBack : oddRowBack};
}

void CZvListCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) ShowPopupMenu(event->globalPosition().toPoint());
  QTreeView::mousePressEvent(event);
}

void CZvListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit rowDoubleClicked(indexAt(event->position().toPoint()).row());
}

void CZvListCtrl::ShowPopupMenu(const QPoint& globalPos) {
  QMenu menu(this);
  const std::pair<int, const char*> items[] = {
      {kShowAll, "전체"}, {kShowContinuous, "상시"}, {kShowEvent, "이벤트"}, {kShowParking, "주차"}};
  for (const auto& [id, text] : items) menu.addAction(QString::fromUtf8(text))->setData(id);
  menu.addSeparator();
  QAction* group = menu.addAction(QStringLiteral("여행별로 묶기"));
  group->setCheckable(true);
  group->setChecked(groupByTrip_);
  group->setData(kGroupByTrip);
  if (QAction* chosen = menu.exec(globalPos)) emit command(chosen->data().toInt());
}

void CZvListCtrl::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CZvListCtrl::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// After a refill the mark goes back to the recording it was on, so that Next
// and Prev go on from the open recording; it stays on row 0 when that
// recording is not listed.
void CZvListCtrl::MarkRowOf(const std::string& fullPath) {
  if (fullPath.empty()) return;
  for (int row = 0; row < RowCount(); ++row) {
    if (RowFullPath(row) == fullPath) return SetCurrentRow(row);
  }
}

// Folders are scanned, single files added; the catalogue is never cleared
// and nothing is opened. The marked row stays on its recording.
void CZvListCtrl::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  zv::RecordingLibrary& library = zv::RecordingLibrary::Instance();
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    QString path = url.toLocalFile();
    if (QFileInfo(path).isDir()) {
      while (path.size() > 1 && path.endsWith('/')) path.chop(1);
      library.ScanFolder(path == "/" ? "/" : (path + "/").toStdString());
    } else {
      library.AddPath(path.toStdString());
    }
  }
  event->acceptProposedAction();
  const std::string marked = RowFullPath(currentRow);
  Fill(filterKind);
  MarkRowOf(marked);
  QMetaObject::invokeMethod(this, &CZvListCtrl::recordingsChanged, Qt::QueuedConnection);
}
