// SPDX-License-Identifier: GPL-3.0-or-later
#include "CZvSliderCtrl.h"

#include <QPainter>

#include <algorithm>

#include "CMemoryDC.h"

namespace {
constexpr SkinImageId kProgressFill = 1055;
constexpr int kPiece = 10;          // width of the channel's end and middle pieces
constexpr int kRightEndX = 537;     // where the right end sits in the channel picture
constexpr int kFillHeight = 7;
constexpr int kFillWidth = 3;
constexpr int kTrackTop = 10;
const QColor kEventMark(255, 70, 50);
const QColor kClipMark(80, 180, 255);
const QColor kClipSpan(80, 180, 255, 70);
}  // namespace

CZvSliderCtrl::CZvSliderCtrl(QWidget* parent)
    : CZvSkinSlider(parent, 1034, 1036, QColor(10, 10, 10), 15) {}

int CZvSliderCtrl::ThumbTop() const { return (height() - ThumbSize().height()) / 2; }

int CZvSliderCtrl::FillWidth() const {
  const qint64 m = maximum();
  if (m == 0) return 0;
  return static_cast<int>(static_cast<qint64>(sliderPosition()) * UsableSpan() / m);
}

void CZvSliderCtrl::PaintChannel(QPainter& painter) {
  painter.fillRect(rect(), backgroundColour);
  const int w = UsableSpan();
  const int h = height() - 20;
  CMemoryDC track, fill;
  if (w <= 0 || h <= 0 || !track.Create(size()) || !fill.Create(size())) return;
  QPainter& t = track.Painter();
  t.fillRect(QRect(QPoint(0, 0), size()), backgroundColour);
  for (int i = 0; i <= w / kPiece; ++i) DrawBitmapPart(t, channelImage, i * kPiece, 0, kPiece, h, kPiece, 0);
  for (int i = 0; i <= w / kFillWidth; ++i) {
    DrawBitmapResource(fill.Painter(), kProgressFill, i * kFillWidth, 0, kFillWidth, kFillHeight);
  }
  DrawBitmapPart(t, channelImage, 0, 0, kPiece, h, 0, 0);
  DrawBitmapPart(t, channelImage, w - kPiece, 0, kPiece, h, kRightEndX, 0);
  const int filled = FillWidth();
  if (filled > 0) t.drawPixmap(QPoint(0, 1), fill.Finish(), QRect(0, 0, filled, kFillHeight));
  painter.drawPixmap(QPoint(channelOffset, kTrackTop), track.Finish(), QRect(0, 0, w, h));
  PaintMarks(painter);
}

int CZvSliderCtrl::MarkX(int64_t ms) const {
  if (markSpanMs <= 0) return channelOffset;
  return channelOffset + static_cast<int>(std::clamp<int64_t>(ms, 0, markSpanMs) * UsableSpan() / markSpanMs);
}

// Events are short red strokes across the track; the clip is a blue band
// with a stroke at each end.
void CZvSliderCtrl::PaintMarks(QPainter& painter) const {
  if (markSpanMs <= 0) return;
  const int top = kTrackTop - 3, bottom = height() - kTrackTop + 2;
  if (clipInMs >= 0 || clipOutMs >= 0) {
    const int left = MarkX(std::max<int64_t>(clipInMs, 0));
    const int right = MarkX(clipOutMs >= 0 ? clipOutMs : markSpanMs);
    painter.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), kClipSpan);
    for (const int64_t mark : {clipInMs, clipOutMs})
      if (mark >= 0) painter.fillRect(MarkX(mark) - 1, top, 2, bottom - top + 1, kClipMark);
  }
  for (const uint32_t event : eventMarksMs) painter.fillRect(MarkX(event) - 1, top, 3, bottom - top + 1, kEventMark);
}

void CZvSliderCtrl::PaintThumb(QPainter& painter) {
  const QRect thumb = ThumbRect();
  DrawBitmapPart(painter, thumbImage, thumb.left(), thumb.top(), 11, 22, 0, 0);
}
