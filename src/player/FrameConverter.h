#pragma once

#include <gst/gst.h>
#include <gst/video/video.h>

#include <QImage>
#include <QSize>

namespace zv {

// Turns a decoded frame of any raw format into a BGRx picture of a given
// size (the frame's own size when the size is empty), converting and scaling
// in one pass. The converter is kept between frames of the same shape. One
// converter serves one thread.
class FrameConverter {
 public:
  FrameConverter() = default;
  ~FrameConverter();
  FrameConverter(const FrameConverter&) = delete;
  FrameConverter& operator=(const FrameConverter&) = delete;

  QImage Convert(GstSample* sample, QSize size);

 private:
  bool Prepare(const GstVideoInfo& in, QSize size);
  static QImage ScaleDown(const GstVideoInfo& in, GstBuffer* buffer, QSize size);

  GstVideoConverter* converter_ = nullptr;
  GstVideoInfo in_{};
  GstVideoInfo out_{};
};

}  // namespace zv
