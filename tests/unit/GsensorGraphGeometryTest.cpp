// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "sensors/GsensorGraphGeometry.h"

namespace zv {
namespace {

GsensorGraphGeometry At600x100() { return ComputeGsensorGraphGeometry(600, 100, 12, 20, 10); }

TEST(GsensorGraphGeometryTest, GeometryOf600By100) {
  const GsensorGraphGeometry g = At600x100();
  EXPECT_EQ(g.graphLeft, 20);
  EXPECT_EQ(g.graphTop, 5);
  EXPECT_EQ(g.cellWidth, 47);
  EXPECT_EQ(g.graphRight, 584);
  EXPECT_EQ(g.graphBottom, 90);
  EXPECT_EQ(g.mid, 47);
  EXPECT_EQ(g.scaleStep, 25);
}

TEST(GsensorGraphGeometryTest, NoCellsGiveZeroWidthInsteadOfDividingByZero) {
  const GsensorGraphGeometry g = ComputeGsensorGraphGeometry(600, 100, 0, 20, 10);
  EXPECT_EQ(g.cellWidth, 0);
  EXPECT_EQ(g.graphRight, 20);
}

TEST(GsensorGraphGeometryTest, SamplesAtStartEndAndPastTheWindow) {
  // sy = 85 / 256: raw 128 reaches y = 47 - 42.5 -> 4 (truncated toward zero).
  const std::vector<CGSensorData> samples = {
      {128, 0, -128, 0}, {10, -10, 0, 60000}, {50, 50, 50, 60001}};
  const auto x = GsensorCurvePoints(At600x100(), samples, GsensorAxis::X, 60000);
  const std::vector<GraphPoint> expectedX = {{20, 47}, {20, 4}, {584, 43}, {584, 43}};
  EXPECT_EQ(x, expectedX);
  const auto y = GsensorCurvePoints(At600x100(), samples, GsensorAxis::Y, 60000);
  EXPECT_EQ(y[2], (GraphPoint{584, 50}));  // negative values lie below the centre
  const auto z = GsensorCurvePoints(At600x100(), samples, GsensorAxis::Z, 60000);
  EXPECT_EQ(z[1], (GraphPoint{20, 89}));   // 47 + 42.5 truncated
  EXPECT_EQ(z.size(), 4u);                 // the 60001 sample is skipped
}

TEST(GsensorGraphGeometryTest, MiddleOfTheWindowAndZeroOnTheCentreLine) {
  const std::vector<CGSensorData> samples = {{0, 0, 0, 30000}};
  const auto x = GsensorCurvePoints(At600x100(), samples, GsensorAxis::X, 60000);
  const std::vector<GraphPoint> expected = {{20, 47}, {302, 47}, {584, 47}};
  EXPECT_EQ(x, expected);
}

TEST(GsensorGraphGeometryTest, SamplesOutsideTheWindowLeaveAFlatLine) {
  const std::vector<CGSensorData> samples = {{100, 100, 100, 70000}};
  const auto x = GsensorCurvePoints(At600x100(), samples, GsensorAxis::X, 60000);
  const std::vector<GraphPoint> expected = {{20, 47}, {584, 47}};
  EXPECT_EQ(x, expected);
}

TEST(GsensorGraphGeometryTest, NoSamplesOrNoSpanDrawNothing) {
  EXPECT_TRUE(GsensorCurvePoints(At600x100(), {}, GsensorAxis::X, 60000).empty());
  const std::vector<CGSensorData> samples = {{1, 1, 1, 0}};
  EXPECT_TRUE(GsensorCurvePoints(At600x100(), samples, GsensorAxis::X, 0).empty());
  EXPECT_TRUE(GsensorCurvePoints(At600x100(), samples, GsensorAxis::X, -5).empty());
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

TEST(GsensorGraphGeometryTest, ClickTimesAndCursorPlacesMatchTheCurves) {
  const GsensorGraphGeometry g = At600x100();  // 564 pixels for the span
  EXPECT_EQ(GsensorGraphX(g, 0, 60000), 20);
  EXPECT_EQ(GsensorGraphX(g, 60000, 60000), 584);
  EXPECT_EQ(GsensorGraphX(g, 90000, 60000), 584);  // past the span: the right frame
  EXPECT_EQ(GsensorGraphTimeAt(g, 20 + 282, 60000), 30000);
  EXPECT_EQ(GsensorGraphTimeAt(g, 5, 60000), 0);
  EXPECT_EQ(GsensorGraphTimeAt(g, 700, 60000), 60000);
  EXPECT_EQ(GsensorGraphTimeAt(g, 300, 0), 0);
  // A click lands where the curves draw that moment.
  for (int x = 20; x <= 584; x += 13) EXPECT_EQ(GsensorGraphX(g, GsensorGraphTimeAt(g, x, 60000), 60000), x);
}

}  // namespace
}  // namespace zv
