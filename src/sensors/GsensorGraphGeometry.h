// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "sensors/CGSensorData.h"

namespace zv {

// Where the G-sensor graph draws, for one client size.
struct GsensorGraphGeometry {
  int graphLeft = 0;
  int graphTop = 5;
  int graphRight = 0;
  int graphBottom = 0;
  int cellWidth = 0;
  int scaleStep = 25;  // pixels between the centre line and each outer scale line
  int mid = 0;         // the centre line
};

// The graph area of a width x height client area: `cellCount` cells of equal
// whole-pixel width between the margins. A cell count below 1 gives cells of
// width 0.
GsensorGraphGeometry ComputeGsensorGraphGeometry(int width, int height, int cellCount,
                                                 int leftMargin, int rightMargin);

enum class GsensorAxis { X, Y, Z };

struct GraphPoint {
  int x = 0;
  int y = 0;
  bool operator==(const GraphPoint&) const = default;
};

// The polyline of one axis over a time span of `timeWindowMs`: it starts on
// the centre line at the left frame, has one point per sample whose time
// lies in the span (later samples are skipped), and ends at the right frame
// at the height of the last point. Coordinates are truncated toward zero.
// Empty when there are no samples or the span is not positive.
std::vector<GraphPoint> GsensorCurvePoints(const GsensorGraphGeometry& geometry,
                                           const std::vector<CGSensorData>& samples,
                                           GsensorAxis axis, int timeWindowMs);

// The x of a moment of the recording on the graph, as the curves place their
// samples: the left frame at 0, the right frame at timeWindowMs; later
// moments stay at the right frame.
int GsensorGraphX(const GsensorGraphGeometry& geometry, int64_t timeMs, int timeWindowMs);

// The moment at x: the first millisecond that GsensorGraphX places at x,
// held to 0 .. timeWindowMs.
int64_t GsensorGraphTimeAt(const GsensorGraphGeometry& geometry, int x, int timeWindowMs);

}  // namespace zv
