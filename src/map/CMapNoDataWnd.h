// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// Takes the docked map's place when the open recording has no GPS records:
// a grey area with the "no GPS data" picture centred, cut off on both sides
// when the area is smaller than the picture.
class CMapNoDataWnd : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kControlId = 1011;
  static constexpr int kPicture = 148;  // 128 x 158

  // Created hidden at (0, 0, 100, 100); the owner's layout places it.
  explicit CMapNoDataWnd(QWidget* parent = nullptr);

  int controlId = kControlId;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
