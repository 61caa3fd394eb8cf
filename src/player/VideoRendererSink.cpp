#include "player/VideoRendererSink.h"

#include <gst/app/gstappsink.h>

#include "player/FrameRelay.h"

namespace zv {
namespace {

struct ChannelTarget {
  FrameRelay* relay;
  int channel;
};

GstFlowReturn Offer(GstSample* sample, gpointer data) {
  if (!sample) return GST_FLOW_OK;
  auto* target = static_cast<ChannelTarget*>(data);
  target->relay->Offer(target->channel, sample);
  gst_sample_unref(sample);
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
  // Decoded frames as the decoder gives them; the relay converts and scales
  // them for the screen in one pass.
  GstCaps* caps = gst_caps_from_string("video/x-raw, format=(string){ I420, NV12, YV12, BGRx, BGRA }");
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
