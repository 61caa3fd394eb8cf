// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A ten-step volume bar. A left click sets the level from the click's x and
// reports it with volumeLevel(level) (the WM_VOLUME_LEVEL message of the
// owner). The owner writes `level` directly at start.
class CZvVolumeCtrl : public QWidget {
  Q_OBJECT

public:
  explicit CZvVolumeCtrl(QWidget* parent = nullptr);

  int level = 0;  // 0 to 10

  // The level a click at x gives on a control width pixels wide.
  static int LevelAt(int x, int width);

  QSize sizeHint() const override { return {70, 21}; }

signals:
  void volumeLevel(int level);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};
