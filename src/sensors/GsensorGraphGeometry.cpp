// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/GsensorGraphGeometry.h"

#include <algorithm>
#include <cmath>

namespace zv {

GsensorGraphGeometry ComputeGsensorGraphGeometry(int width, int height, int cellCount,
                                                 int leftMargin, int rightMargin) {
  GsensorGraphGeometry g;
  g.graphLeft = leftMargin;
  g.graphBottom = height - 10;
  g.cellWidth = cellCount > 0 ? (width - rightMargin - leftMargin) / cellCount : 0;
  g.graphRight = leftMargin + cellCount * g.cellWidth;
  g.mid = g.graphTop + (g.graphBottom - g.graphTop) / 2;
  return g;
}

namespace {

int AxisValue(const CGSensorData& sample, GsensorAxis axis) {
  switch (axis) {
    case GsensorAxis::X: return sample.x;
    case GsensorAxis::Y: return sample.y;
    case GsensorAxis::Z: return sample.z;
  }
  return 0;
}

}  // namespace

std::vector<GraphPoint> GsensorCurvePoints(const GsensorGraphGeometry& g,
                                           const std::vector<CGSensorData>& samples,
                                           GsensorAxis axis, int timeWindowMs) {
  std::vector<GraphPoint> points;
  if (samples.empty() || timeWindowMs <= 0) return points;
  const double sx = static_cast<double>(g.graphRight - g.graphLeft) / timeWindowMs;
  const double sy = (g.graphBottom - g.graphTop) * 0.5 / 128;
  const auto window = static_cast<uint32_t>(timeWindowMs);

  points.push_back({g.graphLeft, g.mid});
  int lastY = g.mid;
  for (const CGSensorData& sample : samples) {
    if (sample.timeMs > window) continue;
    const int x = static_cast<int>(g.graphLeft + sample.timeMs * sx);
    lastY = static_cast<int>(g.mid - AxisValue(sample, axis) * sy);
    points.push_back({x, lastY});
  }
  points.push_back({g.graphRight, lastY});
  return points;
}

int GsensorGraphX(const GsensorGraphGeometry& g, int64_t timeMs, int timeWindowMs) {
  if (timeWindowMs <= 0) return g.graphLeft;
  const double sx = static_cast<double>(g.graphRight - g.graphLeft) / timeWindowMs;
  return static_cast<int>(g.graphLeft + std::clamp<int64_t>(timeMs, 0, timeWindowMs) * sx);
}

int64_t GsensorGraphTimeAt(const GsensorGraphGeometry& g, int x, int timeWindowMs) {
  const int span = g.graphRight - g.graphLeft;
  if (span <= 0 || timeWindowMs <= 0) return 0;
  // Rounded up, so that the moment is drawn at x again (drawing truncates).
  const double ms = static_cast<double>(x - g.graphLeft) * timeWindowMs / span;
  return std::clamp<int64_t>(static_cast<int64_t>(std::ceil(ms - 1e-9)), 0, timeWindowMs);
}

}  // namespace zv
