#include "player/VideoRendererSink.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <QImage>

#include "player/FrameRelay.h"

namespace zv {
namespace {

struct ChannelTarget {
  FrameRelay* relay;
  int channel;
};

// A mapped frame that lives as long as the QImage that points into it.
struct MappedFrame {
  GstSample* sample = nullptr;
  GstVideoFrame frame{};
};

void ReleaseMappedFrame(void* data) {
  auto* mapped = static_cast<MappedFrame*>(data);
  gst_video_frame_unmap(&mapped->frame);
  gst_sample_unref(mapped->sample);
  delete mapped;
}

QImage ImageFromSample(GstSample* sample) {
  GstVideoInfo info;
  GstCaps* caps = gst_sample_get_caps(sample);
  GstBuffer* buffer = gst_sample_get_buffer(sample);
  if (!caps || !buffer || !gst_video_info_from_caps(&info, caps)) return {};
  auto* mapped = new MappedFrame;
  if (!gst_video_frame_map(&mapped->frame, &info, buffer, GST_MAP_READ)) {
    delete mapped;
    return {};
  }
  mapped->sample = gst_sample_ref(sample);
  return QImage(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped->frame, 0)),
                GST_VIDEO_FRAME_WIDTH(&mapped->frame), GST_VIDEO_FRAME_HEIGHT(&mapped->frame),
                GST_VIDEO_FRAME_PLANE_STRIDE(&mapped->frame, 0), QImage::Format_RGB32,
                ReleaseMappedFrame, mapped);
}

GstFlowReturn Offer(GstSample* sample, gpointer data) {
  if (!sample) return GST_FLOW_OK;
  auto* target = static_cast<ChannelTarget*>(data);
  QImage image = ImageFromSample(sample);
  gst_sample_unref(sample);
  if (!image.isNull()) target->relay->Offer(target->channel, std::move(image));
  return GST_FLOW_OK;
}

GstFlowReturn OnNewSample(GstAppSink* sink, gpointer data) {
  return Offer(gst_app_sink_pull_sample(sink), data);
}

GstFlowReturn OnNewPreroll(GstAppSink* sink, gpointer data) {
  return Offer(gst_app_sink_pull_preroll(sink), data);
}

void FreeTarget(gpointer data) { delete static_cast<ChannelTarget*>(data); }

}  // namespace

GstElement* MakeVideoRendererSink(const char* name) {
  GstElement* sink = gst_element_factory_make("appsink", name);
  if (!sink) return nullptr;
  GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
  g_object_set(sink, "caps", caps, "sync", TRUE, "max-buffers", 2u, "enable-last-sample", FALSE,
               "qos", TRUE, nullptr);
  gst_caps_unref(caps);
  return sink;
}

void AttachRendererToChannel(GstElement* sink, FrameRelay* relay, int channel) {
  GstAppSinkCallbacks callbacks{};
  callbacks.new_sample = OnNewSample;
  callbacks.new_preroll = OnNewPreroll;
  gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, new ChannelTarget{relay, channel},
                             FreeTarget);
}

}  // namespace zv
