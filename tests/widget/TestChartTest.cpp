// SPDX-License-Identifier: GPL-3.0-or-later
// The generator's still test chart: chosen with --scene chart, the same
// picture in every frame but for the frame code, which reads.
#include "FrameCode.h"
#include "MkrecCommandLine.h"
#include "TestChartRenderer.h"

#include <gtest/gtest.h>

using namespace zv::mkrec;

namespace {

TEST(TestChartTest, StillChartWithAReadableFrameCode)
{
    MkrecCommandLine line;
    ASSERT_TRUE(line.Parse({"out.avi", "--scene", "chart"}, QDateTime::currentDateTime())) << line.Error();
    EXPECT_EQ(line.Options().scene, SceneKind::Chart);
    MkrecCommandLine bad;
    EXPECT_FALSE(bad.Parse({"out.avi", "--scene", "sea"}, QDateTime::currentDateTime()));

    const TestChartRenderer chart(zv::FrameCodeChannel::Rear, QSize(640, 360));
    const QImage first = chart.Render(7), later = chart.Render(8);
    ASSERT_EQ(first.size(), QSize(640, 360));
    EXPECT_EQ(zv::ReadFrameCode(first).frame, 7);
    EXPECT_EQ(zv::ReadFrameCode(later).frame, 8);
    EXPECT_EQ(zv::ReadFrameCode(later).channel, zv::FrameCodeChannel::Rear);
    // Below the frame code nothing moves.
    EXPECT_EQ(first.copy(0, 60, 640, 300), later.copy(0, 60, 640, 300));
}

} // namespace
