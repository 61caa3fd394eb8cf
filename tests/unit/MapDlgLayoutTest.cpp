// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "map/MapDlgLayout.h"

namespace zv {
namespace {

TEST(MapDlgLayoutTest, ChildrenFollowTheClientSize) {
  const MapDlgLayout small = ComputeMapDlgLayout(300, 300);
  EXPECT_EQ(small.closeButton, LayoutRect::FromSize(260, 5, 30, 24));
  EXPECT_EQ(small.mapPanel, LayoutRect::FromSize(5, 35, 290, 235));
  EXPECT_EQ(small.titleText, LayoutRect::FromSize(5, 10, 50, 20));
  EXPECT_EQ(small.positionText, LayoutRect::FromSize(5, 274, 300, 20));
  const MapDlgLayout large = ComputeMapDlgLayout(800, 600);
  EXPECT_EQ(large.closeButton.left, 760);
  EXPECT_EQ(large.mapPanel, LayoutRect::FromSize(5, 35, 790, 535));
  EXPECT_EQ(large.positionText.top, 574);
}

}  // namespace
}  // namespace zv
