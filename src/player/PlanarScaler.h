#pragma once

#include <gst/video/video.h>

#include <QImage>

namespace zv {

// Makes a smaller BGRx picture of a planar 4:2:0 frame (I420 or YV12) by
// taking the nearest source pixel, converting only the pixels it keeps: far
// cheaper than converting the whole frame when a 1080p picture is shown in a
// few hundred pixels. Colours follow the frame's matrix (BT.709 or BT.601,
// limited range). Returns false for any other format or a larger target.
bool ScalePlanarNearest(const GstVideoFrame& frame, QImage& target);

}  // namespace zv
