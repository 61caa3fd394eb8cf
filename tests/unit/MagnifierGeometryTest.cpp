// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "output/MagnifierGeometry.h"

using namespace zv;

namespace {
void ExpectSource(const MagnifierSource& s, int x, int y, int w, int h) {
  EXPECT_EQ(s.x, x);
  EXPECT_EQ(s.y, y);
  EXPECT_EQ(s.width, w);
  EXPECT_EQ(s.height, h);
}
}  // namespace

TEST(MagnifierGeometry, SourceIsAThirdCentredOnTheCursorAndKeptOnScreen) {
  // Client 425 x 330 gives a 141 x 110 source on a 1920 x 1080 screen.
  ExpectSource(MagnifierSourceRect(960, 540, 425, 330, 1920, 1080), 890, 485, 141, 110);
  ExpectSource(MagnifierSourceRect(0, 0, 425, 330, 1920, 1080), 0, 0, 141, 110);
  ExpectSource(MagnifierSourceRect(30, 20, 425, 330, 1920, 1080), 0, 0, 141, 110);
  ExpectSource(MagnifierSourceRect(1919, 1079, 425, 330, 1920, 1080), 1779, 970, 141, 110);
  ExpectSource(MagnifierSourceRect(1919, 0, 425, 330, 1920, 1080), 1779, 0, 141, 110);
}

TEST(MagnifierGeometry, TinyClientGivesAnEmptySourceAndAScreenSmallerThanTheSourceStartsLeft) {
  ExpectSource(MagnifierSourceRect(100, 100, 2, 9, 1920, 1080), 100, 99, 0, 3);
  // The right/bottom clamp comes last, so a too-small screen puts the corner below 0.
  ExpectSource(MagnifierSourceRect(5, 5, 300, 300, 50, 50), -50, -50, 100, 100);
}
