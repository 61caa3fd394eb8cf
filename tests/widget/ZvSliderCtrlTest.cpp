// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QtTest/QTest>

#include "skin/CZvSimpleSliderCtrl.h"
#include "skin/CZvSliderCtrl.h"
#include "skin/WindowMessages.h"

namespace {

QImage Shot(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb PixelOf(SkinImageId id, int x, int y) { return BitmapResource(id).toImage().pixel(x, y); }

std::vector<int> Codes(const QSignalSpy& spy) {
  std::vector<int> codes;
  for (const QList<QVariant>& call : spy) codes.push_back(call.at(0).toInt());
  return codes;
}

// The seek slider at 600 x 30: a usable span W of 570 from x = 15.
class ZvSliderCtrlTest : public ::testing::Test {
protected:
  void SetUp() override {
    slider.resize(600, 30);
    slider.setRange(0, 60000);
    slider.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&slider));
  }
  static constexpr int kW = 570;
  static constexpr int kFillRow = 14;  // track row 4, fill row 3
  CZvSliderCtrl slider;
};

TEST_F(ZvSliderCtrlTest, FillIsEmptyAtZeroAndSpansTheTrackAtTheMaximum) {
  const QRgb fill = PixelOf(1055, 0, 3);
  slider.setValue(0);
  EXPECT_EQ(slider.FillWidth(), 0);
  QImage shot = Shot(slider);
  EXPECT_NE(shot.pixel(15 + 12, kFillRow), fill);
  EXPECT_EQ(shot.pixel(15 + 12, kFillRow), PixelOf(1034, 12, 4));
  EXPECT_NE(shot.pixel(15 + kW - 12, kFillRow), fill);

  slider.setValue(60000);
  EXPECT_EQ(slider.FillWidth(), kW);
  shot = Shot(slider);
  EXPECT_EQ(shot.pixel(15 + 12, kFillRow), PixelOf(1055, 12 % 3, 3));
  EXPECT_EQ(shot.pixel(15 + kW - 12, kFillRow), PixelOf(1055, (kW - 12) % 3, 3));
  // The track ends at W; the rest is the background colour.
  EXPECT_EQ(shot.pixel(15 + kW + 6, kFillRow), qRgb(10, 10, 10));

  slider.setValue(30000);
  EXPECT_EQ(slider.FillWidth(), kW / 2);
  slider.setRange(0, 0);
  EXPECT_EQ(slider.FillWidth(), 0);
}

TEST_F(ZvSliderCtrlTest, ThumbTravelsOverTheUsableSpanAndIsDrawnThere) {
  EXPECT_EQ(slider.UsableSpan(), kW);
  EXPECT_EQ(slider.ThumbRectAt(0), QRect(10, 4, 11, 22));
  EXPECT_EQ(slider.ThumbRectAt(60000), QRect(10 + kW, 4, 11, 22));
  slider.setValue(30000);
  const QRect thumb = slider.ThumbRect();
  const QImage shot = Shot(slider);
  EXPECT_EQ(shot.pixel(thumb.left() + 5, thumb.top() + 11), PixelOf(1036, 5, 11));
  EXPECT_EQ(shot.pixel(thumb.left(), thumb.top()), PixelOf(1036, 0, 0));
}

TEST_F(ZvSliderCtrlTest, DragReportsThumbTrackThenThumbPosition) {
  QSignalSpy scrolled(&slider, &CZvSkinSlider::scrolled);
  const QPoint grip = slider.ThumbRect().center();
  QTest::mousePress(&slider, Qt::LeftButton, {}, grip);
  QTest::mouseMove(&slider, grip + QPoint(kW / 2, 0));
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, grip + QPoint(kW / 2, 0));
  QCoreApplication::processEvents();
  EXPECT_NEAR(slider.value(), 30000, 60000 / kW + 1);
  const std::vector<int> codes = Codes(scrolled);
  ASSERT_FALSE(codes.empty());
  EXPECT_NE(std::find(codes.begin(), codes.end(), SB_THUMBTRACK), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), SB_THUMBPOSITION), codes.end());
}

TEST_F(ZvSliderCtrlTest, ClicksBesideTheThumbPageAndKeysStep) {
  slider.setPageStep(5000);
  slider.setValue(30000);
  QSignalSpy scrolled(&slider, &CZvSkinSlider::scrolled);
  QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(15 + kW - 20, 15));
  QCoreApplication::processEvents();
  EXPECT_EQ(slider.value(), 35000);
  QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(20, 15));
  QCoreApplication::processEvents();
  EXPECT_EQ(slider.value(), 30000);
  QTest::keyClick(&slider, Qt::Key_Right);
  QCoreApplication::processEvents();
  EXPECT_EQ(slider.value(), 30001);
  EXPECT_EQ(Codes(scrolled), (std::vector<int>{SB_PAGERIGHT, SB_ENDSCROLL, SB_PAGELEFT,
                                               SB_ENDSCROLL, SB_LINERIGHT, SB_ENDSCROLL}));
}

TEST(ZvSimpleSliderCtrlTest, ChannelAndThumbSitWhereTheyBelong) {
  CZvSimpleSliderCtrl slider;
  slider.resize(95, 30);
  slider.setRange(0, 100);
  slider.setValue(50);
  const QImage shot = Shot(slider);
  EXPECT_EQ(shot.pixel(2, 2), qRgb(20, 20, 20));
  // Channel at (15, (30 - 9) / 2 = 10).
  EXPECT_EQ(shot.pixel(15 + 5, 10 + 4), PixelOf(1040, 5, 4));
  // Thumb: columns 1..11 of its picture at the thumb's left edge, y = 30 / 2 - 7.
  const QRect thumb = slider.ThumbRect();
  EXPECT_EQ(thumb.left(), 15 - 5 + 33);  // centre at 15 + 50 x 65 / 100, rounded
  EXPECT_EQ(shot.pixel(thumb.left() + 5, 8 + 6), PixelOf(1042, 6, 6));
  EXPECT_EQ(shot.pixel(thumb.left(), 8), PixelOf(1042, 1, 0));
}

}  // namespace
