// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "skin/CZvSkinSlider.h"

// The seek slider: a track built from the pieces of the channel picture,
// filled from the left with the progress picture up to the position, and an
// 11 x 22 thumb. Over the track it marks the recording's events and the
// clip's start and end, at their times on a span of `markSpanMs` (the
// recording's duration); the owner writes the fields and calls update().
class CZvSliderCtrl : public CZvSkinSlider {
  Q_OBJECT

public:
  explicit CZvSliderCtrl(QWidget* parent = nullptr);

  // Width of the progress fill for the present position: P x W / M.
  int FillWidth() const;
  // The x in the control of a moment on the mark span.
  int MarkX(int64_t ms) const;

  int64_t markSpanMs = 0;
  std::vector<uint32_t> eventMarksMs;
  int64_t clipInMs = -1;   // -1: not set
  int64_t clipOutMs = -1;

protected:
  QSize ThumbSize() const override { return {11, 22}; }
  int ThumbTop() const override;
  void PaintChannel(QPainter& painter) override;
  void PaintThumb(QPainter& painter) override;

private:
  void PaintMarks(QPainter& painter) const;
};
