// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary files to the parse filter element through GStreamer, as
// the viewer drives it: Load, every sensor record through "read-record",
// then each source pad linked to an appsink and a few buffers pulled while
// the pipeline plays. Beyond the sanitizers' checks: a refused file has no
// pads, records fit their buffer, and buffers carry no more bytes than the
// file has.
#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzInputFile.h"
#include "element/VnStreamParse.h"
#include "player/SensorStreamSource.h"

namespace {

constexpr int kBuffersPerPad = 3;
constexpr GstClockTime kPullTimeout = GST_SECOND;

void Require(bool condition) {
  if (!condition) std::abort();
}

std::vector<GstPad*> SourcePads(GstElement* element) {
  std::vector<GstPad*> pads;
  GstIterator* it = gst_element_iterate_src_pads(element);
  GValue item = G_VALUE_INIT;
  while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
    pads.push_back(GST_PAD(g_value_dup_object(&item)));
    g_value_reset(&item);
  }
  g_value_unset(&item);
  gst_iterator_free(it);
  return pads;
}

void ReadAllRecords(GstElement* element) {
  for (int i = 0; i < 1000000; ++i) {
    uint8_t buffer[zv::kSensorRecordBufferSize];
    guint32 length = sizeof buffer, timeMs = 0;
    gint result = -1;
    g_signal_emit_by_name(element, zv::kReadRecordSignal, buffer, &length, &timeMs, &result);
    if (result != zv::kReadRecordOk) return;
    Require(length >= 1 && length <= sizeof buffer);
  }
  std::abort();  // more records than a file of this size can hold
}

std::vector<GstElement*> LinkAppSinks(GstElement* pipeline, GstElement* element) {
  std::vector<GstElement*> sinks;
  for (GstPad* pad : SourcePads(element)) {
    GstElement* sink = GST_ELEMENT(g_object_new(GST_TYPE_APP_SINK, "sync", FALSE, nullptr));
    gst_bin_add(GST_BIN(pipeline), sink);
    GstPad* sinkPad = gst_element_get_static_pad(sink, "sink");
    Require(gst_pad_link(pad, sinkPad) == GST_PAD_LINK_OK);
    gst_object_unref(sinkPad);
    gst_object_unref(pad);
    sinks.push_back(sink);
  }
  return sinks;
}

void PullBuffers(const std::vector<GstElement*>& sinks, size_t fileSize) {
  for (GstElement* sink : sinks) {
    for (int i = 0; i < kBuffersPerPad; ++i) {
      GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), kPullTimeout);
      if (!sample) break;
      Require(gst_buffer_get_size(gst_sample_get_buffer(sample)) <= fileSize);
      gst_sample_unref(sample);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gst_init(nullptr, nullptr);
  Require(gst_vn_stream_parse_register(nullptr));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zv::fuzz::FuzzInputFile file("recording.avi");
  const std::string& path = file.Write(data, size);
  if (path.empty()) return 0;
  GstElement* pipeline = gst_pipeline_new(nullptr);
  GstElement* element = gst_element_factory_make(zv::kParseFilterFactory, nullptr);
  gst_bin_add(GST_BIN(pipeline), element);
  gint result = -1;
  g_signal_emit_by_name(element, zv::kSetOptionSignal, 0, &result);
  g_signal_emit_by_name(element, zv::kLoadSignal, path.c_str(), &result);
  if (result != 0) {
    Require(SourcePads(element).empty());
  } else {
    ReadAllRecords(element);
    const std::vector<GstElement*> sinks = LinkAppSinks(pipeline, element);
    Require(!sinks.empty());
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE)
      PullBuffers(sinks, size);
  }
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  return 0;
}
