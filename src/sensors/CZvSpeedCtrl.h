// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The speed in km/h with one decimal, as digit pictures over the gauge
// picture. The owner writes speedKmh and calls Redraw().
class CZvSpeedCtrl : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kControlId = 1003;

  explicit CZvSpeedCtrl(QWidget* parent = nullptr);

  int controlId = kControlId;
  bool created = true;
  double speedKmh = 0.0;

  // Paints the gauge at once.
  void Redraw();

 protected:
  void paintEvent(QPaintEvent* event) override;
};
