// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>
#include <gst/video/video-info.h>

#include <QImage>
#include <QSize>

#include <memory>

#include "player/PictureScaler.h"

namespace zv {

// One decoded picture, shared and never changed: the streaming thread makes
// it from a sample and any thread may read it. Its memory stays mapped while
// any copy lives. Its planes and colour map follow the stream's caps: the
// colour matrix and range as GStreamer reports them (GStreamer assumes
// BT.709 for untagged pictures of 720 lines or more, BT.601 below), and
// where the chroma samples sit.
class VideoFrame {
 public:
  VideoFrame() = default;
  // A frame of the sample's buffer; null when the sample carries no raw
  // video of one byte per sample.
  static VideoFrame FromSample(GstSample* sample);
  // A frame showing `image` (any format; kept as 32-bit RGB).
  static VideoFrame FromImage(const QImage& image);

  bool IsNull() const { return !data_; }
  QSize Size() const;
  // Tells decoded buffers apart: a buffer handed over twice (as the still
  // picture of a pause and again when playback starts) gives the same key.
  const void* Key() const;
  // The planes and colour map, valid while this frame lives.
  const PlanarPicture& Picture() const;

  // The same picture in memory of its own. A decoded buffer belongs to its
  // decoder's pool, directly or through the decoder's own reference to it,
  // and keeps that pool alive while any frame holds it; the copy does not.
  // A frame made from an image comes back as it is.
  VideoFrame Detached() const;

  // The picture converted to 32-bit RGB at `size` (its own size when
  // empty), filtered as the screens filter it.
  QImage ToImage(QSize size = {}) const;

 private:
  // A frame of `buffer` laid out as `info` says (or as its video meta says).
  static VideoFrame FromBuffer(const GstVideoInfo& info, GstBuffer* buffer);
  struct Data;
  std::shared_ptr<const Data> data_;
};

}  // namespace zv
