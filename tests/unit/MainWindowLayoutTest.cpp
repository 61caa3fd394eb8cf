// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "skin/FramelessGeometry.h"
#include "app/MainWindowLayout.h"

namespace zv {
namespace {

TEST(MainWindowLayoutTest, AreasAtTheMinimumSize) {
  const LayoutAreas a = MainWindowLayout::AreasFor(1034, 742);
  EXPECT_EQ(a.video, (LayoutRect{12, 50, 732, 471}));
  EXPECT_EQ(a.video.width(), 720);  // the size of the idle picture
  EXPECT_EQ(a.video.height(), 421);
  EXPECT_EQ(a.graph, (LayoutRect{7, 483, 737, 672}));
  EXPECT_EQ(a.controlBar, (LayoutRect{7, 679, 732, 735}));
  EXPECT_EQ(a.map, (LayoutRect{747, 50, 1027, 324}));
  EXPECT_EQ(a.list, (LayoutRect{747, 324, 1027, 735}));
}

TEST(MainWindowLayoutTest, TransportCentringMovesEveryOtherPixel) {
  EXPECT_EQ(MainWindowLayout(1034, 742, 1).Of(LayoutSlot::Prev).left, 22);
  EXPECT_EQ(MainWindowLayout(1035, 742, 1).Of(LayoutSlot::Prev).left, 22);
  EXPECT_EQ(MainWindowLayout(1036, 742, 1).Of(LayoutSlot::Prev).left, 22);
  EXPECT_EQ(MainWindowLayout(1037, 742, 1).Of(LayoutSlot::Prev).left, 23);
}

TEST(MainWindowLayoutTest, VideoScreensPerViewMode) {
  const LayoutRect none{0, 0, 0, 0};
  const MainWindowLayout front(1034, 742, 1);
  EXPECT_EQ(front.Of(LayoutSlot::FrontScreen), LayoutRect::FromSize(12, 58, 720, 405));
  EXPECT_EQ(front.Of(LayoutSlot::RearScreen), none);
  const MainWindowLayout rear(1034, 742, 2);
  EXPECT_EQ(rear.Of(LayoutSlot::RearScreen), LayoutRect::FromSize(12, 58, 720, 405));
  EXPECT_EQ(rear.Of(LayoutSlot::FrontScreen), none);
  // Both: each half is 360 wide, the picture 360×202 centred vertically.
  const MainWindowLayout both(1034, 742, 3);
  EXPECT_EQ(both.Of(LayoutSlot::FrontScreen), LayoutRect::FromSize(12, 159, 360, 202));
  EXPECT_EQ(both.Of(LayoutSlot::RearScreen), LayoutRect::FromSize(372, 159, 360, 202));
}

TEST(MainWindowLayoutTest, FitVideoRectTakesTheLimitingSide) {
  // Wide area: full height, centred horizontally.
  EXPECT_EQ(MainWindowLayout::FitVideoRect({0, 0, 1000, 360}), LayoutRect::FromSize(180, 0, 640, 360));
  // Tall area: full width, centred vertically.
  EXPECT_EQ(MainWindowLayout::FitVideoRect({10, 20, 330, 1020}), LayoutRect::FromSize(10, 430, 320, 180));
  // Exactly 16:9 takes the whole area.
  EXPECT_EQ(MainWindowLayout::FitVideoRect({0, 0, 1600, 900}), LayoutRect::FromSize(0, 0, 1600, 900));
}

TEST(MainWindowLayoutTest, SeekSliderSpansTheGraphTimeAxis) {
  for (int w : {1034, 1280, 1921}) {
    const MainWindowLayout layout(w, 800, 1);
    const LayoutRect graph = layout.Of(LayoutSlot::GsensorGraph);
    const LayoutRect seek = layout.Of(LayoutSlot::SeekSlider);
    const GraphAxis& axis = layout.Axis();
    // The slider's channel starts and ends where the graph's axis does.
    EXPECT_EQ(seek.left + MainWindowLayout::kSeekChannelOffset, graph.left + axis.left + 2);
    EXPECT_EQ(seek.right - MainWindowLayout::kSeekChannelOffset, graph.left + axis.right + 2);
    EXPECT_LE(graph.left + axis.right, graph.right - 10);
  }
  EXPECT_EQ(MainWindowLayout::AxisFor(600).cellWidth, 47);
  EXPECT_EQ(MainWindowLayout::AxisFor(600).right, 584);
}

TEST(FramelessGeometryTest, BandsAreTestedCornersFirst) {
  EXPECT_EQ(HitTestBorder(0, 0, 1034, 742), BorderHit::TopLeft);
  EXPECT_EQ(HitTestBorder(9, 9, 1034, 742), BorderHit::TopLeft);
  EXPECT_EQ(HitTestBorder(1024, 5, 1034, 742), BorderHit::TopRight);
  EXPECT_EQ(HitTestBorder(3, 735, 1034, 742), BorderHit::BottomLeft);
  EXPECT_EQ(HitTestBorder(1033, 741, 1034, 742), BorderHit::BottomRight);
  EXPECT_EQ(HitTestBorder(5, 300, 1034, 742), BorderHit::Left);
  EXPECT_EQ(HitTestBorder(500, 9, 1034, 742), BorderHit::Top);
  EXPECT_EQ(HitTestBorder(1024, 300, 1034, 742), BorderHit::Right);
  EXPECT_EQ(HitTestBorder(500, 732, 1034, 742), BorderHit::Bottom);
  // Right and bottom edges are outside the client area.
  EXPECT_EQ(HitTestBorder(10, 10, 1034, 742), BorderHit::None);
  EXPECT_EQ(HitTestBorder(1034, 300, 1034, 742), BorderHit::None);
}

TEST(FramelessGeometryTest, LeftAndTopEdgesStopAtTheMinimum) {
  const LayoutRect window{100, 100, 1200, 900};
  EXPECT_EQ(ResizedWindowRect(window, BorderHit::Left, 150, 0, 1034, 742).left, 150);
  EXPECT_EQ(ResizedWindowRect(window, BorderHit::Left, 400, 0, 1034, 742).left, 1200 - 1034);
  EXPECT_EQ(ResizedWindowRect(window, BorderHit::Top, 0, 500, 1034, 742).top, 900 - 742);
  const LayoutRect corner = ResizedWindowRect(window, BorderHit::BottomRight, 1500, 1000, 1034, 742);
  EXPECT_EQ(corner, (LayoutRect{100, 100, 1500, 1000}));
  const LayoutRect small = ResizedWindowRect({0, 0, 400, 400}, BorderHit::TopLeft, 250, 380, 300, 300);
  EXPECT_EQ(small, (LayoutRect{100, 100, 400, 400}));
}

}  // namespace
}  // namespace zv
