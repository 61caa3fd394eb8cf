// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/VideoRendererSink.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

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

// The frames are read through their video meta (plane offsets and strides),
// so the decoder may decode straight into buffers it hands over, padding
// and all, instead of copying every picture into a tightly packed one: the
// sink offers the meta and a pool that takes the decoder's alignment.
void OfferDirectRendering(GstQuery* query) {
  if (!gst_query_find_allocation_meta(query, GST_VIDEO_META_API_TYPE, nullptr))
    gst_query_add_allocation_meta(query, GST_VIDEO_META_API_TYPE, nullptr);
  GstCaps* caps = nullptr;
  gboolean needPool = FALSE;
  gst_query_parse_allocation(query, &caps, &needPool);
  GstVideoInfo info;
  if (!needPool || !caps || gst_query_get_n_allocation_pools(query) > 0 || !gst_video_info_from_caps(&info, caps))
    return;
  GstBufferPool* pool = gst_video_buffer_pool_new();
  GstStructure* config = gst_buffer_pool_get_config(pool);
  gst_buffer_pool_config_set_params(config, caps, static_cast<guint>(info.size), 0, 0);
  gst_buffer_pool_config_add_option(config, GST_BUFFER_POOL_OPTION_VIDEO_META);
  if (gst_buffer_pool_set_config(pool, config))
    gst_query_add_allocation_pool(query, pool, static_cast<guint>(info.size), 0, 0);
  gst_object_unref(pool);
}

GstPadProbeReturn OnSinkQuery(GstPad*, GstPadProbeInfo* info, gpointer) {
  GstQuery* query = GST_PAD_PROBE_INFO_QUERY(info);
  if (GST_QUERY_TYPE(query) == GST_QUERY_ALLOCATION) OfferDirectRendering(query);
  return GST_PAD_PROBE_OK;
}

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
  GstPad* pad = gst_element_get_static_pad(sink, "sink");
  gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_QUERY_DOWNSTREAM, OnSinkQuery, nullptr, nullptr);
  gst_object_unref(pad);
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
