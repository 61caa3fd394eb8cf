// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

#include <cstdint>

#include "sensors/GsensorGraphGeometry.h"

class QMenu;
class QPainter;

// The three G-sensor curves of the whole open recording on a dark grid. It
// reads GSensorRecords() while painting; the owner writes timeWindowMs (the
// recording's duration) and calls update() after loading a recording. A
// right-button press shows the viewer's context menu; the chosen command
// comes out as command(id).
//
// Over the curves it draws the playback cursor at `cursorMs` (SetCursorMs),
// and a left click (or a drag) on the graph asks to seek there through
// seekRequested(ms). The grid and curves are drawn once per recording and
// size and kept, so that moving the cursor costs one copy.
class CZvGsensorCtrl : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kControlId = 1001;

  explicit CZvGsensorCtrl(QWidget* parent = nullptr);

  int controlId = kControlId;
  bool created = true;
  int cellCount = 12;
  int leftMargin = 20;
  int rightMargin = 10;
  int timeWindowMs = 60000;
  // Recomputed from the client size at the start of every paint.
  zv::GsensorGraphGeometry geometry;

  // Recomputes `geometry` for the present client size.
  void UpdateGeometry();
  // The context menu, its actions wired to command(id).
  QMenu* CreatePopupMenu();

  // Moves the playback cursor (-1: none); repaints only when it moves on
  // screen.
  void SetCursorMs(int64_t ms);
  int64_t CursorMs() const { return cursorMs_; }
  // The moment a click at x asks for.
  int64_t TimeAtX(int x) const;

 signals:
  void command(int id);
  void seekRequested(int64_t ms);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // What the kept picture was drawn from.
  struct PictureKey {
    QSize size;
    int timeWindowMs = 0;
    uint64_t records = 0;
    bool operator==(const PictureKey&) const = default;
  };
  const QPixmap& Picture();
  void DrawCursor(QPainter& painter) const;

  void DrawGrid(QPainter& painter) const;
  void DrawScaleLabels(QPainter& painter) const;
  void DrawCurves(QPainter& painter) const;

  int64_t cursorMs_ = -1;
  QPixmap picture_;
  PictureKey pictureKey_;
};
