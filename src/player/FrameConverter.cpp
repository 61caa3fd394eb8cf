#include "player/FrameConverter.h"

#include "player/PlanarScaler.h"

namespace zv {

// A picture for a smaller screen, straight from a planar frame; null when
// the frame's format needs the general converter.
QImage FrameConverter::ScaleDown(const GstVideoInfo& in, GstBuffer* buffer, QSize size) {
  GstVideoFrame frame;
  GstVideoInfo info = in;
  if (!gst_video_frame_map(&frame, &info, buffer, GST_MAP_READ)) return {};
  QImage image(size, QImage::Format_RGB32);
  const bool done = ScalePlanarNearest(frame, image);
  gst_video_frame_unmap(&frame);
  return done ? image : QImage();
}

FrameConverter::~FrameConverter() {
  if (converter_) gst_video_converter_free(converter_);
}

bool FrameConverter::Prepare(const GstVideoInfo& in, QSize size) {
  if (size.isEmpty()) size = QSize(GST_VIDEO_INFO_WIDTH(&in), GST_VIDEO_INFO_HEIGHT(&in));
  if (converter_ && gst_video_info_is_equal(&in, &in_) && GST_VIDEO_INFO_WIDTH(&out_) == size.width() &&
      GST_VIDEO_INFO_HEIGHT(&out_) == size.height())
    return true;
  if (converter_) gst_video_converter_free(converter_);
  converter_ = nullptr;
  in_ = in;
  gst_video_info_set_format(&out_, GST_VIDEO_FORMAT_BGRx, size.width(), size.height());
  GST_VIDEO_INFO_FPS_N(&out_) = GST_VIDEO_INFO_FPS_N(&in);
  GST_VIDEO_INFO_FPS_D(&out_) = GST_VIDEO_INFO_FPS_D(&in);
  // Bilinear scaling and no dithering: the picture is shown at once and
  // replaced 30 times a second.
  GstStructure* config = gst_structure_new(
      "config", GST_VIDEO_CONVERTER_OPT_RESAMPLER_METHOD, GST_TYPE_VIDEO_RESAMPLER_METHOD,
      GST_VIDEO_RESAMPLER_METHOD_NEAREST, GST_VIDEO_CONVERTER_OPT_DITHER_METHOD, GST_TYPE_VIDEO_DITHER_METHOD,
      GST_VIDEO_DITHER_NONE, GST_VIDEO_CONVERTER_OPT_CHROMA_MODE, GST_TYPE_VIDEO_CHROMA_MODE, GST_VIDEO_CHROMA_MODE_NONE,
      nullptr);
  converter_ = gst_video_converter_new(&in_, &out_, config);
  return converter_ != nullptr;
}

QImage FrameConverter::Convert(GstSample* sample, QSize size) {
  GstCaps* caps = gst_sample_get_caps(sample);
  GstBuffer* buffer = gst_sample_get_buffer(sample);
  GstVideoInfo in;
  if (!caps || !buffer || !gst_video_info_from_caps(&in, caps)) return {};
  if (!size.isEmpty() && size.width() <= GST_VIDEO_INFO_WIDTH(&in) && size.height() <= GST_VIDEO_INFO_HEIGHT(&in)) {
    QImage scaled = ScaleDown(in, buffer, size);
    if (!scaled.isNull()) return scaled;
  }
  if (!Prepare(in, size)) return {};
  QImage image(GST_VIDEO_INFO_WIDTH(&out_), GST_VIDEO_INFO_HEIGHT(&out_), QImage::Format_RGB32);
  GstVideoInfo out = out_;
  GST_VIDEO_INFO_PLANE_STRIDE(&out, 0) = static_cast<gint>(image.bytesPerLine());
  GstBuffer* target = gst_buffer_new_wrapped_full(GST_MEMORY_FLAG_NO_SHARE, image.bits(), image.sizeInBytes(), 0,
                                                  image.sizeInBytes(), nullptr, nullptr);
  GstVideoFrame inFrame, outFrame;
  bool done = false;
  if (gst_video_frame_map(&inFrame, &in, buffer, GST_MAP_READ)) {
    if (gst_video_frame_map(&outFrame, &out, target, GST_MAP_WRITE)) {
      gst_video_converter_frame(converter_, &inFrame, &outFrame);
      gst_video_frame_unmap(&outFrame);
      done = true;
    }
    gst_video_frame_unmap(&inFrame);
  }
  gst_buffer_unref(target);
  return done ? image : QImage();
}

}  // namespace zv
