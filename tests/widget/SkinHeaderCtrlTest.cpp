// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QStandardItemModel>
#include <QtTest/QTest>

#include "skin/CSkinHeaderCtrl.h"

namespace {

// Horizontal extent of the light (text) pixels inside [left, right).
std::pair<int, int> TextSpan(const QImage& shot, int left, int right) {
  int first = -1, last = -1;
  for (int x = left; x < right; ++x) {
    for (int y = 0; y < shot.height(); ++y) {
      if (qGray(shot.pixel(x, y)) > 128) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  }
  return {first, last};
}

// The recording list's columns: number, date, time, kind, two hidden ones.
TEST(SkinHeaderCtrlTest, NumberAndKindLeftAlignedDateAndTimeCentred) {
  QStandardItemModel model(0, 6);
  model.setHorizontalHeaderLabels({"No", "Date", "Time", "Kind", "Path", "Code"});
  CSkinHeaderCtrl header;
  header.setModel(&model);
  header.setMinimumSectionSize(0);
  const int widths[] = {60, 100, 100, 60, 0, 0};
  for (int i = 0; i < 6; ++i) header.resizeSection(i, widths[i]);
  header.resize(400, 24);
  header.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&header));
  const QImage shot = header.grab().toImage().convertToFormat(QImage::Format_RGB32);

  int left = 0;
  for (int column = 0; column < 4; ++column) {
    SCOPED_TRACE(column);
    const int right = left + widths[column];
    EXPECT_EQ(shot.pixel(left + 1, 1), qRgb(30, 30, 30));
    const auto [first, last] = TextSpan(shot, left, right);
    ASSERT_GE(first, 0);
    if (column == 0 || column == 3) {
      EXPECT_LE(first - left, 3);
      EXPECT_GT(right - last, 10);
    } else {
      EXPECT_NEAR(first - left, right - 1 - last, 3);
      EXPECT_GT(first - left, 10);
    }
    left = right;
  }
  // Text starts at least 3 pixels below the top.
  for (int x = 0; x < 320; ++x) {
    for (int y = 0; y < 3; ++y) ASSERT_EQ(shot.pixel(x, y), qRgb(30, 30, 30)) << x << "," << y;
  }
  // Right of the last column the header paints no cell.
  EXPECT_NE(shot.pixel(360, 12), qRgb(30, 30, 30));
}

}  // namespace
