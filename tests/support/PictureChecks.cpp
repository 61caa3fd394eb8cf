// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureChecks.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <algorithm>
#include <cstdlib>

#include "player/PictureSimilarity.h"

namespace {

zv::SamplePlane Channel(const QImage& image, int shift) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  zv::SamplePlane plane(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) plane.At(x, y) = static_cast<float>((row[x] >> shift) & 0xFF);
  }
  return plane;
}

// 16 bits a channel rounded to 8.
QImage FromArgb64(const uint8_t* data, int width, int height, int stride) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const uint16_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x, in += 4)
      out[x] = qRgb((in[1] + 128) / 257, (in[2] + 128) / 257, (in[3] + 128) / 257);
  }
  return image;
}

}  // namespace

QImage DecodeFirstFrame(const QString& path, QString* colorimetry) {
  const std::string description = "filesrc location=\"" + path.toStdString() +
                                   "\" ! avidemux ! h264parse ! avdec_h264 name=decoder ! videoconvert ! "
                                   "video/x-raw,format=ARGB64 ! appsink name=sink";
  GstElement* pipeline = gst_parse_launch(description.c_str(), nullptr);
  if (!pipeline) return {};
  GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
  gst_element_set_state(pipeline, GST_STATE_PAUSED);
  QImage image;
  if (GstSample* sample = gst_app_sink_try_pull_preroll(GST_APP_SINK(sink), 20 * GST_SECOND)) {
    GstVideoInfo info;
    GstMapInfo map;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
      image = FromArgb64(map.data, info.width, info.height, GST_VIDEO_INFO_PLANE_STRIDE(&info, 0));
      gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
  }
  if (colorimetry) {
    GstElement* decoder = gst_bin_get_by_name(GST_BIN(pipeline), "decoder");
    GstPad* pad = gst_element_get_static_pad(decoder, "src");
    if (GstCaps* caps = gst_pad_get_current_caps(pad)) {
      *colorimetry = QString::fromUtf8(gst_structure_get_string(gst_caps_get_structure(caps, 0), "colorimetry"));
      gst_caps_unref(caps);
    }
    gst_object_unref(pad);
    gst_object_unref(decoder);
  }
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(sink);
  gst_object_unref(pipeline);
  return image;
}

QImage AreaAveraged(const QImage& full, QSize size) {
  QImage out(size, QImage::Format_RGB32);
  const zv::SamplePlane r = zv::AreaAverage(Channel(full, 16), size.width(), size.height());
  const zv::SamplePlane g = zv::AreaAverage(Channel(full, 8), size.width(), size.height());
  const zv::SamplePlane b = zv::AreaAverage(Channel(full, 0), size.width(), size.height());
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      out.setPixel(x, y, qRgb(qRound(r.At(x, y)), qRound(g.At(x, y)), qRound(b.At(x, y))));
  return out;
}

double SsimAgainstArea(const QImage& shown, const QImage& full) {
  double sum = 0;
  for (int shift : {16, 8, 0})
    sum += zv::StructuralSimilarity(Channel(shown, shift),
                                    zv::AreaAverage(Channel(full, shift), shown.width(), shown.height()));
  return sum / 3;
}

int LargestDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 256;
  int largest = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  return largest;
}
