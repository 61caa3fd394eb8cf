#pragma once

#include "skin/CZvSkinSlider.h"

// The seek slider: a track built from the pieces of the channel picture,
// filled from the left with the progress picture up to the position, and an
// 11 x 22 thumb.
class CZvSliderCtrl : public CZvSkinSlider {
  Q_OBJECT

public:
  explicit CZvSliderCtrl(QWidget* parent = nullptr);

  // Width of the progress fill for the present position: P x W / M.
  int FillWidth() const;

protected:
  QSize ThumbSize() const override { return {11, 22}; }
  int ThumbTop() const override;
  void PaintChannel(QPainter& painter) override;
  void PaintThumb(QPainter& painter) override;
};
