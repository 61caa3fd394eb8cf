// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/CZvSkinSlider.h"

// A small slider (playback rate, brightness): the 66 x 9 channel picture
// centred vertically at x = channelOffset and an 11 x 13 thumb.
class CZvSimpleSliderCtrl : public CZvSkinSlider {
  Q_OBJECT

public:
  explicit CZvSimpleSliderCtrl(QWidget* parent = nullptr);

protected:
  QSize ThumbSize() const override { return {13, 13}; }
  int ThumbTop() const override { return height() / 2 - 7; }
  void PaintChannel(QPainter& painter) override;
  void PaintThumb(QPainter& painter) override;
};
