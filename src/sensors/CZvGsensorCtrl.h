#pragma once

#include <QWidget>

#include "sensors/GsensorGraphGeometry.h"

class QMenu;
class QPainter;

// The three G-sensor curves of the whole open recording on a dark grid. It
// reads GSensorRecords() while painting; the owner writes timeWindowMs (the
// recording's duration) and calls update() after loading a recording. A
// right-button press shows the viewer's context menu; the chosen command
// comes out as command(id).
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

 signals:
  void command(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void DrawGrid(QPainter& painter) const;
  void DrawScaleLabels(QPainter& painter) const;
  void DrawCurves(QPainter& painter) const;
};
