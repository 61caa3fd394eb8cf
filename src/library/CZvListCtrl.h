// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QTreeView>

#include <string>
#include <vector>

class RecordingListModel;

// The list of recordings in the main window: the catalogue's entries of one
// kind or of all kinds, oldest first, with the open recording's row marked.
// Files and folders dropped on it are added to the catalogue.
//
// With `groupByTrip` the rows stand trip by trip (recordings that follow each
// other, TripBuilder), each trip in a band of its own. The durations that
// trips need are read in the background (RecordingDurations); as they come
// in, the rows regroup and the open recording and the selection stay on
// their recordings. Several rows can be selected (Ctrl, Shift) for export.
class CZvListCtrl : public QTreeView {
  Q_OBJECT

 public:
  struct RowColours {
    QColor text, back;
  };

  explicit CZvListCtrl(QWidget* parent = nullptr);

  void Initialize();
  // Rebuilds every row from the catalogue with the kind filter given; row 0
  // becomes the current row. Always true.
  bool Fill(int kind);
  void SetCurrentRow(int row);
  void SelectRow(int row);
  std::string RowFullPath(int row) const;
  std::string RowFileName(int row) const;
  std::string CurrentFileName() const;
  int FindRowByFileName(const std::string& name) const;
  int RowCount() const;
  // Full paths of the selected rows, top to bottom.
  std::vector<std::string> SelectedPaths() const;

  // Groups the rows by trip, or lists them in time order again, keeping the
  // open recording's row and the selection on their recordings.
  void SetGroupByTrip(bool on);
  bool GroupByTrip() const { return groupByTrip_; }

  RowColours ColoursOfRow(int row, bool selected) const;

  int currentRow = -1;
  int filterKind = 1;
  QColor evenRowBack{70, 70, 70};
  QColor oddRowBack{50, 50, 50};
  QColor currentBack{0, 128, 128};
  QColor selectedBack{128, 128, 0};
  QColor rowText{180, 180, 180};
  QColor currentText{200, 200, 200};
  QColor selectedText{20, 20, 20};

  // Popup menu commands of the list.
  static constexpr int kShowAll = 32823, kShowContinuous = 32824, kShowEvent = 32825,
                       kShowParking = 32826;
  // The popup's toggle of the grouping by trip, handled by the owner.
  static constexpr int kGroupByTrip = 32827;

 signals:
  // A row was double-clicked (-1 when the click hit no row).
  void rowDoubleClicked(int row);
  // A command of the popup menu, for the owner to handle.
  void command(int id);
  // The catalogue changed through a drop; delivered queued.
  void recordingsChanged();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  std::string ColumnText(int row, int column) const;
  void RedrawRow(int row);
  void MarkRowOf(const std::string& fullPath);
  void ShowPopupMenu(const QPoint& globalPos);
  void SetRowsForKind(int kind);
  void Regroup();

  RecordingListModel* model_;
  bool groupByTrip_ = false;
  int filledKind_ = 1;
};
