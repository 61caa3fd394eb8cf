// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParseFilterHarness.h"

#include <dlfcn.h>

#include <mutex>

#include "player/SensorStreamSource.h"

namespace zv::test {

struct ParseFilterHarness::SinkState {
  std::mutex mutex;
  int count = 0;
  int64_t firstPts = -1;
  GstSample* firstSample = nullptr;
  bool keepSample = false;
};

bool RegisterParseFilterModule() {
  std::string path = std::string(ZV_TEST_PROGRAM_DIR) + "/" + kParseFilterModuleName;
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) return false;
  using Entry = int32_t (*)();
  auto entry = reinterpret_cast<Entry>(dlsym(module, kParseFilterEntryPoint));
  // Twice, as a restarted viewer module would: the second call changes nothing.
  return entry && entry() == 0 && entry() == 0;
}

ParseFilterHarness::ParseFilterHarness()
    : pipeline_(gst_pipeline_new(nullptr)),
      element_(gst_element_factory_make(kParseFilterFactory, kParseFilterElementName)) {
  if (element_) gst_bin_add(GST_BIN(pipeline_), element_);
}

ParseFilterHarness::~ParseFilterHarness() {
  gst_element_set_state(pipeline_, GST_STATE_NULL);
  gst_object_unref(pipeline_);
  for (SinkState* s : sinks_) {
    if (s->firstSample) gst_sample_unref(s->firstSample);
    delete s;
  }
}

int32_t ParseFilterHarness::Load(const std::string& path) {
  gint result = -1;
  g_signal_emit_by_name(element_, kSetOptionSignal, 0, &result);
  g_signal_emit_by_name(element_, kLoadSignal, path.c_str(), &result);
  return result;
}

int32_t ParseFilterHarness::ReadRecord(uint8_t* buffer, uint32_t* length, uint32_t* timeMs) {
  gint result = -1;
  g_signal_emit_by_name(element_, kReadRecordSignal, buffer, length, timeMs, &result);
  return result;
}

std::vector<PulledRecord> ParseFilterHarness::ReadAllRecords() {
  std::vector<PulledRecord> records;
  for (int i = 0; i < 100000; ++i) {
    uint8_t buffer[kSensorRecordBufferSize] = {};
    uint32_t length = kSensorRecordBufferSize, timeMs = 0;
    if (ReadRecord(buffer, &length, &timeMs) != kReadRecordOk) break;
    records.push_back(PulledRecord{timeMs, std::string(reinterpret_cast<char*>(buffer), length)});
  }
  return records;
}

std::vector<std::string> ParseFilterHarness::PadNames() const {
  std::vector<std::string> names;
  GstIterator* it = gst_element_iterate_src_pads(element_);
  GValue item = G_VALUE_INIT;
  while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
    names.emplace_back(GST_PAD_NAME(g_value_get_object(&item)));
    g_value_reset(&item);
  }
  g_value_unset(&item);
  gst_iterator_free(it);
  return names;
}

GstCaps* ParseFilterHarness::QueryCaps(const std::string& padName) const {
  GstPad* pad = gst_element_get_static_pad(element_, padName.c_str());
  if (!pad) return nullptr;
  GstCaps* caps = gst_pad_query_caps(pad, nullptr);
  gst_object_unref(pad);
  return caps;
}

int64_t ParseFilterHarness::QueryDuration(bool wholePipeline) const {
  gint64 duration = -1;
  GstElement* target = wholePipeline ? pipeline_ : element_;
  return gst_element_query_duration(target, GST_FORMAT_TIME, &duration) ? duration : -1;
}

bool ParseFilterHarness::LinkDecoders() {
  for (const std::string& name : PadNames()) {
    GstCaps* caps = QueryCaps(name);
    std::string media = gst_structure_get_name(gst_caps_get_structure(caps, 0));
    gst_caps_unref(caps);
    std::string description = "fakesink sync=false";
    if (media == "video/x-h264") {
      description = "h264parse ! avdec_h264 ! videoconvert ! video/x-raw,format=BGRx ! " + description;
    }
    if (media == "audio/mpeg") description = "avdec_aac ! " + description;
    GstElement* chain = gst_parse_bin_from_description(description.c_str(), TRUE, nullptr);
    if (!chain) return false;
    gst_bin_add(GST_BIN(pipeline_), chain);
    if (!gst_element_link_pads(element_, name.c_str(), chain, nullptr)) return false;
    auto* state = new SinkState;
    state->keepSample = media == "video/x-h264";
    sinks_.push_back(state);
    // Count what leaves the chain: the probe sits on the fakesink's pad.
    GstIterator* it = gst_bin_iterate_sinks(GST_BIN(chain));
    GValue item = G_VALUE_INIT;
    if (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
      GstPad* pad = gst_element_get_static_pad(GST_ELEMENT(g_value_get_object(&item)), "sink");
      gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, &ParseFilterHarness::OnBuffer, state,
                        nullptr);
      gst_object_unref(pad);
      g_value_unset(&item);
    }
    gst_iterator_free(it);
  }
  return !sinks_.empty();
}

GstPadProbeReturn ParseFilterHarness::OnBuffer(GstPad* pad, GstPadProbeInfo* info, gpointer data) {
  auto* state = static_cast<SinkState*>(data);
  GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
  std::lock_guard lock(state->mutex);
  if (state->count++ == 0) {
    state->firstPts = static_cast<int64_t>(GST_BUFFER_PTS(buffer));
    if (state->keepSample) {
      GstCaps* caps = gst_pad_get_current_caps(pad);
      state->firstSample = gst_sample_new(buffer, caps, nullptr, nullptr);
      gst_caps_unref(caps);
    }
  }
  return GST_PAD_PROBE_OK;
}

bool ParseFilterHarness::SetState(GstState state, int timeoutSeconds) {
  if (gst_element_set_state(pipeline_, state) == GST_STATE_CHANGE_FAILURE) return false;
  return gst_element_get_state(pipeline_, nullptr, nullptr,
                               static_cast<GstClockTime>(timeoutSeconds) * GST_SECOND) ==
         GST_STATE_CHANGE_SUCCESS;
}

bool ParseFilterHarness::WaitForEos(int timeoutSeconds, std::string* error) {
  GstBus* bus = gst_element_get_bus(pipeline_);
  GstMessage* message = gst_bus_timed_pop_filtered(
      bus, static_cast<GstClockTime>(timeoutSeconds) * GST_SECOND,
      static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  gst_object_unref(bus);
  bool eos = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
  if (error) {
    if (!message) *error = "timeout";
    if (message && !eos) {
      GError* err = nullptr;
      gst_message_parse_error(message, &err, nullptr);
      *error = err ? err->message : "error";
      g_clear_error(&err);
    }
  }
  if (message) gst_message_unref(message);
  return eos;
}

bool ParseFilterHarness::Seek(int64_t positionNs, GstSeekFlags extraFlags) {
  return gst_element_seek_simple(pipeline_, GST_FORMAT_TIME,
                                 static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | extraFlags),
                                 positionNs);
}

template <typename T, typename Field>
std::vector<T> ParseFilterHarness::Collect(Field field) const {
  std::vector<T> values;
  for (SinkState* s : sinks_) {
    std::lock_guard lock(s->mutex);
    field(*s, values);
  }
  return values;
}

std::vector<int> ParseFilterHarness::BufferCounts() const {
  return Collect<int>([](SinkState& s, std::vector<int>& v) { v.push_back(s.count); });
}

std::vector<int64_t> ParseFilterHarness::FirstTimestamps() const {
  return Collect<int64_t>([](SinkState& s, std::vector<int64_t>& v) { v.push_back(s.firstPts); });
}

std::vector<GstSample*> ParseFilterHarness::FirstVideoSamples() const {
  return Collect<GstSample*>([](SinkState& s, std::vector<GstSample*>& v) {
    if (s.keepSample) v.push_back(s.firstSample);
  });
}

void ParseFilterHarness::ResetCounts() {
  for (SinkState* s : sinks_) {
    std::lock_guard lock(s->mutex);
    s->count = 0;
    s->firstPts = -1;
    if (s->firstSample) gst_sample_unref(s->firstSample);
    s->firstSample = nullptr;
  }
}

}  // namespace zv::test
