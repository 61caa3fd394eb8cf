// SPDX-License-Identifier: GPL-3.0-or-later
#include "CZvSkinSlider.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionSlider>
#include <QTimer>

#include "WindowMessages.h"

namespace {

// The thumb picture's visible centre, counted from the thumb rectangle's
// left edge (both thumbs are drawn 11 pixels wide from that edge).
constexpr int kThumbCentre = 5;

// Gives QSlider's own mouse handling the skinned geometry, so that hit tests,
// dragging and paging agree with what is painted.
class SkinSliderStyle : public QProxyStyle {
public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl sub, const QWidget* widget) const override {
    const auto* slider = qobject_cast<const CZvSkinSlider*>(widget);
    const auto* sliderOption = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control == CC_Slider && slider && sliderOption) {
      if (sub == SC_SliderHandle) return slider->ThumbRectAt(sliderOption->sliderPosition);
      if (sub == SC_SliderGroove) return slider->GrooveRect();
    }
    return QProxyStyle::subControlRect(control, option, sub, widget);
  }
};

QStyle* SharedSliderStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new SkinSliderStyle;
    style->setParent(qApp);
  }
  return style;
}

int ScrollCodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return SB_LINELEFT;
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINERIGHT;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGELEFT;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGERIGHT;
    case QAbstractSlider::SliderToMinimum: return SB_LEFT;
    case QAbstractSlider::SliderToMaximum: return SB_RIGHT;
    case QAbstractSlider::SliderMove: return SB_THUMBTRACK;
    default: return -1;
  }
}

}  // namespace

CZvSkinSlider::CZvSkinSlider(QWidget* parent, SkinImageId channel, SkinImageId thumb,
                             QColor background, int offset)
    : QSlider(Qt::Horizontal, parent),
      channelImage(channel),
      thumbImage(thumb),
      backgroundColour(background),
      channelOffset(offset) {
  setStyle(SharedSliderStyle());
  setAttribute(Qt::WA_OpaquePaintEvent);
  // actionTriggered comes before the value moves; the report is queued so
  // that the owner reads the new position, as after a platform scroll message.
  connect(this, &QAbstractSlider::actionTriggered, this,
          [this](int action) { ReportAction(action); });
  connect(this, &QAbstractSlider::sliderReleased, this, [this] {
    emit scrolled(SB_THUMBPOSITION);
    emit scrolled(SB_ENDSCROLL);
  });
}

void CZvSkinSlider::ReportAction(int action) {
  const int code = ScrollCodeOf(action);
  if (code < 0) return;
  QTimer::singleShot(0, this, [this, code] {
    emit scrolled(code);
    if (code != SB_THUMBTRACK && !isSliderDown()) emit scrolled(SB_ENDSCROLL);
  });
}

int CZvSkinSlider::UsableSpan() const { return std::max(0, width() - 2 * channelOffset); }

QRect CZvSkinSlider::ThumbRectAt(int position) const {
  const int along = QStyle::sliderPositionFromValue(minimum(), maximum(), position, UsableSpan(),
                                                    invertedAppearance());
  return QRect(QPoint(channelOffset - kThumbCentre + along, ThumbTop()), ThumbSize());
}

QRect CZvSkinSlider::GrooveRect() const {
  return QRect(channelOffset - kThumbCentre, 0, UsableSpan() + ThumbSize().width(), height());
}

void CZvSkinSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintChannel(painter);
  PaintThumb(painter);
}
