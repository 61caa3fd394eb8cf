// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/VideoFrame.h"

#include <gst/video/video.h>

namespace zv {
namespace {

YuvMatrix MatrixOf(const GstVideoInfo& info) {
  if (GST_VIDEO_INFO_IS_RGB(&info)) return YuvMatrix::Rgb;
  switch (GST_VIDEO_INFO_COLORIMETRY(&info).matrix) {
    case GST_VIDEO_COLOR_MATRIX_RGB: return YuvMatrix::Rgb;
    case GST_VIDEO_COLOR_MATRIX_FCC: return YuvMatrix::Fcc;
    case GST_VIDEO_COLOR_MATRIX_BT709: return YuvMatrix::Bt709;
    case GST_VIDEO_COLOR_MATRIX_BT601: return YuvMatrix::Bt601;
    case GST_VIDEO_COLOR_MATRIX_SMPTE240M: return YuvMatrix::Smpte240m;
    case GST_VIDEO_COLOR_MATRIX_BT2020: return YuvMatrix::Bt2020;
    default: return GST_VIDEO_INFO_HEIGHT(&info) >= 720 ? YuvMatrix::Bt709 : YuvMatrix::Bt601;
  }
}

bool IsFullRange(const GstVideoInfo& info) {
  const GstVideoColorRange range = GST_VIDEO_INFO_COLORIMETRY(&info).range;
  if (range == GST_VIDEO_COLOR_RANGE_UNKNOWN) return GST_VIDEO_INFO_IS_RGB(&info);
  return range == GST_VIDEO_COLOR_RANGE_0_255;
}

// Where the samples of a plane subsampled by `factor` sit, in its samples:
// centred on the pixels they cover, or on the first of them.
double SiteShift(int factor, bool cosited) { return cosited && factor > 1 ? 0.5 - 0.5 / factor : 0.0; }

// Formats whose every component is one byte at a fixed pixel stride.
bool HasByteComponents(const GstVideoFormatInfo* format) {
  if (!format || GST_VIDEO_FORMAT_INFO_N_COMPONENTS(format) < 3 || GST_VIDEO_FORMAT_INFO_IS_COMPLEX(format) ||
      GST_VIDEO_FORMAT_INFO_HAS_PALETTE(format) || GST_VIDEO_FORMAT_INFO_IS_TILED(format))
    return false;
  for (int c = 0; c < 3; ++c)
    if (GST_VIDEO_FORMAT_INFO_DEPTH(format, c) != 8 || GST_VIDEO_FORMAT_INFO_PSTRIDE(format, c) < 1) return false;
  return true;
}

}  // namespace

// A decoded frame holds its buffer through the mapping, never the sample it
// came in: appsink refills one sample object for every frame and, after a
// flush, writes new caps into it without making it writable first, which
// fails while anyone else holds it.
struct VideoFrame::Data {
  GstVideoFrame frame{};         // holds a reference to the buffer
  bool mapped = false;           // false for a frame made from an image
  QImage image;                  // the pixels of a frame made from an image
  PlanarPicture picture;

  ~Data() {
    if (mapped) gst_video_frame_unmap(&frame);
  }
};

VideoFrame VideoFrame::FromSample(GstSample* sample) {
  GstCaps* caps = sample ? gst_sample_get_caps(sample) : nullptr;
  GstBuffer* buffer = sample ? gst_sample_get_buffer(sample) : nullptr;
  GstVideoInfo info;
  if (!caps || !buffer || !gst_video_info_from_caps(&info, caps) || !HasByteComponents(info.finfo)) return {};
  return FromBuffer(info, buffer);
}

VideoFrame VideoFrame::FromBuffer(const GstVideoInfo& info, GstBuffer* buffer) {
  auto data = std::make_shared<Data>();
  if (!gst_video_frame_map(&data->frame, &info, buffer, GST_MAP_READ)) return {};
  data->mapped = true;
  const GstVideoFrame& f = data->frame;
  PlanarPicture& p = data->picture;
  p.width = GST_VIDEO_FRAME_WIDTH(&f);
  p.height = GST_VIDEO_FRAME_HEIGHT(&f);
  p.colours = YuvToRgb(MatrixOf(info), IsFullRange(info));
  const auto site = static_cast<unsigned>(GST_VIDEO_INFO_CHROMA_SITE(&info));
  // Chroma sited with the left pixel, as MPEG-2 and H.264 put it, unless
  // the caps say otherwise.
  const bool hCosited = site == GST_VIDEO_CHROMA_SITE_UNKNOWN || (site & GST_VIDEO_CHROMA_SITE_H_COSITED);
  const bool vCosited = site != GST_VIDEO_CHROMA_SITE_UNKNOWN && (site & GST_VIDEO_CHROMA_SITE_V_COSITED);
  // Components in the order R, G, B for RGB formats, Y, U, V for the others.
  for (int c = 0; c < 3; ++c) {
    ChannelPlane& plane = p.channels[c];
    plane.data = static_cast<const uint8_t*>(GST_VIDEO_FRAME_COMP_DATA(&f, c));
    plane.width = GST_VIDEO_FRAME_COMP_WIDTH(&f, c);
    plane.height = GST_VIDEO_FRAME_COMP_HEIGHT(&f, c);
    plane.stride = GST_VIDEO_FRAME_COMP_STRIDE(&f, c);
    plane.step = GST_VIDEO_FRAME_COMP_PSTRIDE(&f, c);
    plane.component = static_cast<int>(GST_VIDEO_FORMAT_INFO_POFFSET(info.finfo, c)) % plane.step;
    plane.subsampleX = 1 << GST_VIDEO_FORMAT_INFO_W_SUB(info.finfo, c);
    plane.subsampleY = 1 << GST_VIDEO_FORMAT_INFO_H_SUB(info.finfo, c);
    plane.shiftX = SiteShift(plane.subsampleX, hCosited);
    plane.shiftY = SiteShift(plane.subsampleY, vCosited);
  }
  VideoFrame out;
  out.data_ = std::move(data);
  return out;
}

VideoFrame VideoFrame::FromImage(const QImage& image) {
  if (image.isNull()) return {};
  auto data = std::make_shared<Data>();
  data->image = image.convertToFormat(QImage::Format_RGB32);
  PlanarPicture& p = data->picture;
  p.width = image.width();
  p.height = image.height();
  p.colours = YuvToRgb(YuvMatrix::Rgb, true);
  // The bytes of 0xffRRGGBB words: B, G, R, x in little-endian memory.
  for (int c = 0; c < 3; ++c) {
    ChannelPlane& plane = p.channels[c];
    plane.component = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 2 - c : 1 + c;
    plane.data = data->image.constBits() + plane.component;
    plane.width = p.width;
    plane.height = p.height;
    plane.stride = static_cast<int>(data->image.bytesPerLine());
    plane.step = 4;
  }
  VideoFrame out;
  out.data_ = std::move(data);
  return out;
}

VideoFrame VideoFrame::Detached() const {
  if (!data_ || !data_->mapped) return *this;
  GstBuffer* copy = gst_buffer_copy_deep(data_->frame.buffer);
  if (!copy) return *this;
  VideoFrame detached = FromBuffer(data_->frame.info, copy);
  gst_buffer_unref(copy);
  return detached.IsNull() ? *this : detached;
}

QSize VideoFrame::Size() const { return data_ ? QSize(data_->picture.width, data_->picture.height) : QSize(); }

const void* VideoFrame::Key() const {
  if (!data_) return nullptr;
  if (data_->mapped) return data_->frame.buffer;
  return data_.get();
}

const PlanarPicture& VideoFrame::Picture() const {
  static const PlanarPicture none;
  return data_ ? data_->picture : none;
}

QImage VideoFrame::ToImage(QSize size) const {
  if (!data_) return {};
  if (size.isEmpty()) size = Size();
  QImage image(size, QImage::Format_RGB32);
  PictureScaler().Scale(data_->picture, reinterpret_cast<uint32_t*>(image.bits()), size.width(), size.height(),
                        static_cast<int>(image.bytesPerLine()));
  return image;
}

}  // namespace zv
