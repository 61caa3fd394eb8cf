// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "map/CMapNoDataWnd.h"
#include "skin/SkinImages.h"

namespace {

TEST(MapNoDataWndTest, CreatedHiddenWithItsIdAndPlace) {
  QWidget owner;
  CMapNoDataWnd panel(&owner);
  owner.show();
  EXPECT_FALSE(panel.isVisible());
  EXPECT_EQ(panel.controlId, 1011);
  EXPECT_EQ(panel.geometry(), QRect(0, 0, 100, 100));
  EXPECT_EQ(panel.windowTitle(), QStringLiteral("ZvMapNoDataWnd"));
}

TEST(MapNoDataWndTest, PictureCentredOnGreyAndCutWhenTooSmall) {
  const QImage picture = BitmapResource(148).toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(picture.size(), QSize(128, 158));
  CMapNoDataWnd panel;
  panel.resize(301, 300);
  QImage image = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(51, 51, 51));
  EXPECT_EQ(image.pixelColor(300, 299), QColor(51, 51, 51));
  // (301 - 128) / 2 = 86, (300 - 158) / 2 = 71
  for (const QPoint p : {QPoint(0, 0), QPoint(64, 79), QPoint(127, 157)})
    EXPECT_EQ(image.pixel(86 + p.x(), 71 + p.y()), picture.pixel(p)) << p.x() << "," << p.y();

  panel.resize(100, 100);  // offsets (-14, -29)
  image = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(0, 0), picture.pixel(14, 29));
  EXPECT_EQ(image.pixel(99, 99), picture.pixel(113, 128));
}

}  // namespace
