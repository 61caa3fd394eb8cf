#include "element/VnStreamParse.h"

#include "element/ParseFilterSession.h"
#include "player/SensorStreamSource.h"

GST_DEBUG_CATEGORY(vn_stream_parse_debug);
#define GST_CAT_DEFAULT vn_stream_parse_debug

struct _GstVnStreamParse {
  GstElement parent;
  zv::ParseFilterSession* session;
};

G_DEFINE_TYPE(GstVnStreamParse, gst_vn_stream_parse, GST_TYPE_ELEMENT)

namespace {

GstStaticPadTemplate videoTemplate = GST_STATIC_PAD_TEMPLATE(
    "Video%u", GST_PAD_SRC, GST_PAD_SOMETIMES,
    GST_STATIC_CAPS("video/x-h264, stream-format = (string) byte-stream, alignment = (string) au"));

GstStaticPadTemplate audioTemplate = GST_STATIC_PAD_TEMPLATE(
    "Audio", GST_PAD_SRC, GST_PAD_SOMETIMES,
    GST_STATIC_CAPS("audio/mpeg, mpegversion = (int) 4, stream-format = (string) raw; "
                    "audio/x-raw, format = (string) S16LE, layout = (string) interleaved"));

zv::ParseFilterSession& SessionOf(gpointer object) {
  return *GST_VN_STREAM_PARSE(object)->session;
}

gint OnSetOption(GstVnStreamParse* self, gint flag) { return self->session->SetOption(flag); }

gint OnLoad(GstVnStreamParse* self, const gchar* path) { return self->session->Load(path); }

gint OnReadRecord(GstVnStreamParse* self, gpointer buffer, gpointer length, gpointer timeMs) {
  return self->session->ReadRecord(static_cast<uint8_t*>(buffer), static_cast<uint32_t*>(length),
                                   static_cast<uint32_t*>(timeMs));
}

bool AnswerQuery(zv::ParseFilterSession& session, GstQuery* query) {
  switch (GST_QUERY_TYPE(query)) {
    case GST_QUERY_DURATION: {
      GstFormat format;
      gst_query_parse_duration(query, &format, nullptr);
      if (format != GST_FORMAT_TIME || !session.loaded()) return false;
      gst_query_set_duration(query, GST_FORMAT_TIME, static_cast<gint64>(session.durationNs()));
      return true;
    }
    case GST_QUERY_SEEKING: {
      GstFormat format;
      gst_query_parse_seeking(query, &format, nullptr, nullptr, nullptr);
      if (format != GST_FORMAT_TIME || !session.loaded()) return false;
      gst_query_set_seeking(query, GST_FORMAT_TIME, TRUE, 0,
                            static_cast<gint64>(session.durationNs()));
      return true;
    }
    default:
      return false;
  }
}

gboolean PadQuery(GstPad* pad, GstObject* parent, GstQuery* query) {
  zv::ParseFilterSession& session = SessionOf(parent);
  if (GST_QUERY_TYPE(query) == GST_QUERY_CAPS) {
    // The pad's own caps from the moment it exists, so that a caller can
    // tell PCM from compressed audio before anything streams.
    GstCaps* caps = session.CapsOf(pad);
    if (!caps) return gst_pad_query_default(pad, parent, query);
    GstCaps* filter = nullptr;
    gst_query_parse_caps(query, &filter);
    if (filter) {
      GstCaps* both = gst_caps_intersect_full(filter, caps, GST_CAPS_INTERSECT_FIRST);
      gst_caps_unref(caps);
      caps = both;
    }
    gst_query_set_caps_result(query, caps);
    gst_caps_unref(caps);
    return TRUE;
  }
  if (AnswerQuery(session, query)) return TRUE;
  return gst_pad_query_default(pad, parent, query);
}

gboolean PadEvent(GstPad* pad, GstObject* parent, GstEvent* event) {
  if (GST_EVENT_TYPE(event) == GST_EVENT_SEEK) {
    gboolean handled = SessionOf(parent).Seek(event);
    gst_event_unref(event);
    return handled;
  }
  return gst_pad_event_default(pad, parent, event);
}

gboolean PadActivateMode(GstPad* pad, GstObject*, GstPadMode mode, gboolean active) {
  if (mode != GST_PAD_MODE_PUSH) return FALSE;
  // Activation starts nothing (the element does once all pads are active);
  // deactivation waits for the pad's thread to end.
  if (!active) gst_pad_stop_task(pad);
  return TRUE;
}

void SetUpPad(GstPad* pad) {
  gst_pad_set_query_function(pad, PadQuery);
  gst_pad_set_event_function(pad, PadEvent);
  gst_pad_set_activatemode_function(pad, PadActivateMode);
}

GstStateChangeReturn ChangeState(GstElement* element, GstStateChange transition) {
  zv::ParseFilterSession& session = SessionOf(element);
  if (transition == GST_STATE_CHANGE_READY_TO_PAUSED && !session.loaded()) {
    GST_ELEMENT_ERROR(element, RESOURCE, NOT_FOUND, ("No recording was loaded."), (nullptr));
    return GST_STATE_CHANGE_FAILURE;
  }
  if (transition == GST_STATE_CHANGE_PAUSED_TO_READY) session.StopStreaming();
  GstStateChangeReturn result =
      GST_ELEMENT_CLASS(gst_vn_stream_parse_parent_class)->change_state(element, transition);
  if (result == GST_STATE_CHANGE_FAILURE) return result;
  if (transition == GST_STATE_CHANGE_READY_TO_PAUSED && !session.StartStreaming())
    return GST_STATE_CHANGE_FAILURE;
  if (transition == GST_STATE_CHANGE_PAUSED_TO_READY) session.ClearQueues();
  return result;
}

gboolean ElementQuery(GstElement* element, GstQuery* query) {
  if (AnswerQuery(SessionOf(element), query)) return TRUE;
  return GST_ELEMENT_CLASS(gst_vn_stream_parse_parent_class)->query(element, query);
}

gboolean SendEvent(GstElement* element, GstEvent* event) {
  gboolean handled = FALSE;
  if (GST_EVENT_TYPE(event) == GST_EVENT_SEEK) handled = SessionOf(element).Seek(event);
  gst_event_unref(event);
  return handled;
}

void Finalize(GObject* object) {
  delete GST_VN_STREAM_PARSE(object)->session;
  G_OBJECT_CLASS(gst_vn_stream_parse_parent_class)->finalize(object);
}

}  // namespace

static void gst_vn_stream_parse_class_init(GstVnStreamParseClass* klass) {
  GObjectClass* objectClass = G_OBJECT_CLASS(klass);
  GstElementClass* elementClass = GST_ELEMENT_CLASS(klass);
  objectClass->finalize = Finalize;
  elementClass->change_state = ChangeState;
  elementClass->query = ElementQuery;
  elementClass->send_event = SendEvent;

  gst_element_class_add_static_pad_template(elementClass, &videoTemplate);
  gst_element_class_add_static_pad_template(elementClass, &audioTemplate);
  gst_element_class_set_static_metadata(
      elementClass, zv::kParseFilterElementName, "Codec/Demuxer",
      "Reads a dashcam recording: H.264 video channels, audio and sensor records",
      "Zorvane Viewer");

  auto flags = static_cast<GSignalFlags>(G_SIGNAL_RUN_LAST | G_SIGNAL_ACTION);
  g_signal_new_class_handler(zv::kSetOptionSignal, G_TYPE_FROM_CLASS(klass), flags,
                             G_CALLBACK(OnSetOption), nullptr, nullptr, nullptr, G_TYPE_INT, 1,
                             G_TYPE_INT);
  g_signal_new_class_handler(zv::kLoadSignal, G_TYPE_FROM_CLASS(klass), flags,
                             G_CALLBACK(OnLoad), nullptr, nullptr, nullptr, G_TYPE_INT, 1,
                             G_TYPE_STRING);
  g_signal_new_class_handler(zv::kReadRecordSignal, G_TYPE_FROM_CLASS(klass), flags,
                             G_CALLBACK(OnReadRecord), nullptr, nullptr, nullptr, G_TYPE_INT, 3,
                             G_TYPE_POINTER, G_TYPE_POINTER, G_TYPE_POINTER);
  GST_DEBUG_CATEGORY_INIT(vn_stream_parse_debug, "vnstreamparse", 0, "dashcam recording reader");
}

static void gst_vn_stream_parse_init(GstVnStreamParse* self) {
  self->session = new zv::ParseFilterSession(GST_ELEMENT(self), SetUpPad);
  GST_OBJECT_FLAG_SET(self, GST_ELEMENT_FLAG_SOURCE);
}

gboolean gst_vn_stream_parse_register(GstPlugin* plugin) {
  return gst_element_register(plugin, zv::kParseFilterFactory, GST_RANK_NONE,
                              GST_TYPE_VN_STREAM_PARSE);
}
