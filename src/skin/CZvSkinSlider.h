// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QSlider>

#include "skin/SkinImages.h"

// What the seek slider and the small sliders share: a horizontal QSlider
// (keyboard, dragging, paging, range and signals unchanged) drawn from a
// channel picture and a thumb picture. The thumb's visible centre travels
// from x = channelOffset to x = width - channelOffset, so the usable span is
// width - 2 x channelOffset. Every slider action is also reported as a
// horizontal scroll code (SB_* of WindowMessages.h) through scrolled(),
// after the position has changed.
class CZvSkinSlider : public QSlider {
  Q_OBJECT

public:
  SkinImageId channelImage = 0;
  SkinImageId thumbImage = 0;
  QColor backgroundColour{10, 10, 10};
  int channelOffset = 15;

  // Width over which the thumb's centre travels.
  int UsableSpan() const;
  // The thumb rectangle for a slider position.
  QRect ThumbRectAt(int position) const;
  QRect ThumbRect() const { return ThumbRectAt(sliderPosition()); }
  // The rectangle in which the thumb moves (its left edge at position minimum).
  QRect GrooveRect() const;

signals:
  void scrolled(int code);

protected:
  CZvSkinSlider(QWidget* parent, SkinImageId channel, SkinImageId thumb, QColor background,
                int offset);

  // Size of the thumb rectangle and its top edge for this kind of slider.
  virtual QSize ThumbSize() const = 0;
  virtual int ThumbTop() const = 0;
  // Paints background and channel, then the thumb.
  virtual void PaintChannel(QPainter& painter) = 0;
  virtual void PaintThumb(QPainter& painter) = 0;

  void paintEvent(QPaintEvent* event) override;

private:
  void ReportAction(int action);
};
