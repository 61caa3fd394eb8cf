// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "sensors/CZvSpeedCtrl.h"
#include "skin/SkinImages.h"
#include "WidgetShots.h"

namespace {

QImage Picture(int id) { return BitmapResource(id).toImage().convertToFormat(QImage::Format_RGB32); }

// The gauge shows picture `id` at (x, 11) with its white left out, over the
// gauge background. With `inkOnly`, the white of the picture is not checked
// (a neighbouring picture may show there).
void ExpectGlyphAt(const QImage& gauge, int id, int x, bool inkOnly = false) {
  const QImage glyph = Picture(id);
  const QImage background = Picture(20011);
  ASSERT_FALSE(glyph.isNull());
  int mismatches = 0;
  for (int gy = 0; gy < glyph.height(); ++gy)
    for (int gx = 0; gx < glyph.width(); ++gx) {
      const QRgb source = glyph.pixel(gx, gy);
      if (inkOnly && (source & 0xFFFFFF) == 0xFFFFFF) continue;
      const QRgb expected = (source & 0xFFFFFF) == 0xFFFFFF
                                ? background.pixel(x + gx, 11 + gy)
                                : source;
      mismatches += gauge.pixel(x + gx, 11 + gy) != expected;
    }
  EXPECT_EQ(mismatches, 0) << "picture " << id << " at x " << x;
}

void ExpectBackgroundAt(const QImage& gauge, int x, int width) {
  const QImage background = Picture(20011);
  for (int y = 11; y < 29; ++y)
    for (int px = x; px < x + width; ++px)
      ASSERT_EQ(gauge.pixel(px, y), background.pixel(px, y)) << px << "," << y;
}

TEST(SpeedCtrlTest, SixtyPointFiveIsDrawnDigitByDigit) {
  ASSERT_TRUE(HasBitmapResource(20011)) << "the skin pictures are not compiled in";
  CZvSpeedCtrl gauge;
  EXPECT_EQ(gauge.size(), QSize(124, 38));
  EXPECT_EQ(gauge.speedKmh, 0.0);
  gauge.speedKmh = 60.5;
  const QImage image = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
  SaveWidgetShot(image, "speed-gauge");
  ExpectBackgroundAt(image, 20, 10);  // no hundreds
  ExpectGlyphAt(image, 20014 + 6, 32);
  ExpectGlyphAt(image, 20014 + 0, 44);
  ExpectGlyphAt(image, 20012, 55, true);  // its right column meets the tenths
  ExpectGlyphAt(image, 20014 + 5, 60);
  EXPECT_EQ(image.pixel(0, 0), Picture(20011).pixel(0, 0));
}

TEST(SpeedCtrlTest, ZeroShowsZeroPointZero) {
  CZvSpeedCtrl gauge;
  const QImage image = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ExpectBackgroundAt(image, 20, 22);
  ExpectGlyphAt(image, 20014, 44);
  ExpectGlyphAt(image, 20014, 60);
}

}  // namespace
