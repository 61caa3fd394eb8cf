// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

#include "sensors/InfoPanelTexts.h"

// One line of text on a dark background: the playback time and rate, the
// G-sensor values, the map title or the position, chosen by `mode`. The
// owner writes the fields (of zv::InfoTextFields and `background`) and calls
// update().
class CZvTextCtrl : public QWidget, public zv::InfoTextFields {
  Q_OBJECT

 public:
  explicit CZvTextCtrl(QWidget* parent = nullptr, int controlId = 0);

  int controlId = 0;
  bool created = true;
  QColor background = QColor(10, 10, 10);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
