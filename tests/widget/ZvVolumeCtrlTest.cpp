// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "skin/CZvVolumeCtrl.h"
#include "skin/SkinImages.h"
#include "skin/WindowMessages.h"

namespace {

TEST(ZvVolumeCtrlTest, LevelFillsLevelTimesATenthOfTheWidth) {
  CZvVolumeCtrl volume;
  ASSERT_EQ(volume.size(), QSize(70, 21));
  const QImage empty = BitmapResource(20001).toImage();
  const QImage full = BitmapResource(20002).toImage();
  for (int level : {0, 5, 10}) {
    volume.level = level;
    const QImage shot = volume.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int x = 0; x < 70; ++x) {
      const QImage& expected = x < level * 7 ? full : empty;
      for (int y = 0; y < 21; ++y) {
        ASSERT_EQ(shot.pixel(x, y), expected.pixel(x, y)) << level << ": " << x << "," << y;
      }
    }
  }
  EXPECT_NE(empty, full);
}

TEST(ZvVolumeCtrlTest, ClickSetsTheLevelOfItsElevenBandsAndReportsIt) {
  EXPECT_EQ(WM_VOLUME_LEVEL, 2125);
  CZvVolumeCtrl volume;
  volume.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&volume));
  QSignalSpy reported(&volume, &CZvVolumeCtrl::volumeLevel);
  const std::pair<int, int> clicks[] = {{5, 0}, {6, 1}, {35, 5}, {65, 10}, {69, 10}, {0, 0}};
  for (const auto& [x, level] : clicks) {
    QTest::mouseClick(&volume, Qt::LeftButton, {}, QPoint(x, 10));
    EXPECT_EQ(volume.level, level) << "x = " << x;
    ASSERT_FALSE(reported.isEmpty());
    EXPECT_EQ(reported.takeLast().at(0).toInt(), level);
  }
  // Presses outside the control, as a captured mouse may deliver them.
  for (const auto& [x, level] : {std::pair{-3, 0}, {70, 10}, {500, 10}}) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, 10), QPointF(x, 10), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&volume, &press);
    EXPECT_EQ(volume.level, level) << "x = " << x;
  }
  QTest::mouseClick(&volume, Qt::RightButton, {}, QPoint(6, 10));
  EXPECT_EQ(volume.level, 10);  // only the left button sets the level
  EXPECT_EQ(CZvVolumeCtrl::LevelAt(3, 5), 10);  // too narrow for eleven bands: no division by 0
}

}  // namespace
