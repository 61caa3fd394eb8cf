// SPDX-License-Identifier: LGPL-2.1-or-later
#include "element/VnStreamParse.h"

#include "element/ParseFilterSession.h"
#include "element/StreamCaps.h"
#include "player/SensorStreamSource.h"

GST_DEBUG_CATEGORY(vn_stream_parse_debug);
#define GST_CAT_DEFAULT vn_stream_parse_debug

struct _GstVnStreamParse {
  GstElement parent;
  zv::ParseFilterSession* session;
  gchar* location;  // the recording's path; under the object lock
};

namespace {
void UriHandlerInit(gpointer iface, gpointer);
}

// A file URI handler too, so that GStreamer programs can give the element a
// file:// URI. Its rank is none: nothing picks it for ordinary files.
G_DEFINE_TYPE_WITH_CODE(GstVnStreamParse, gst_vn_stream_parse, GST_TYPE_ELEMENT,
                        G_IMPLEMENT_INTERFACE(GST_TYPE_URI_HANDLER, UriHandlerInit))

namespace {

enum { kPropLocation = 1 };

GstStaticPadTemplate videoTemplate =
    GST_STATIC_PAD_TEMPLATE("Video%u", GST_PAD_SRC, GST_PAD_SOMETIMES, GST_STATIC_CAPS(zv::kVideoTemplateCaps));

GstStaticPadTemplate audioTemplate =
    GST_STATIC_PAD_TEMPLATE("Audio", GST_PAD_SRC, GST_PAD_SOMETIMES, GST_STATIC_CAPS(zv::kAudioTemplateCaps));

zv::ParseFilterSession& SessionOf(gpointer object) {
  return *GST_VN_STREAM_PARSE(object)->session;
}

gint OnSetOption(GstVnStreamParse* self, gint flag) { return self->session->SetOption(flag); }

void StoreLocation(GstVnStreamParse* self, const gchar* path) {
  GST_OBJECT_LOCK(self);
  g_free(self->location);
  self->location = g_strdup(path);
  GST_OBJECT_UNLOCK(self);
}

// The recording's path, set before it is loaded. False with `error` set
// (GST_URI_ERROR) once a recording is loaded.
gboolean SetLocation(GstVnStreamParse* self, const gchar* path, GError** error) {
  if (self->session->loaded()) {
    g_set_error(error, GST_URI_ERROR, GST_URI_ERROR_BAD_STATE,
                "The location of %s cannot change once a recording is loaded.",
                GST_ELEMENT_NAME(self));
    return FALSE;
  }
  StoreLocation(self, path);
  return TRUE;
}

gchar* CopyLocation(GstVnStreamParse* self) {
  GST_OBJECT_LOCK(self);
  gchar* location = g_strdup(self->location);
  GST_OBJECT_UNLOCK(self);
  return location;
}

gint OnLoad(GstVnStreamParse* self, const gchar* path) {
  const gint result = self->session->Load(path);
  if (result == zv::kLoadOk) StoreLocation(self, path);
  return result;
}

// Loads the recording named by the location property, when one is named
// and none is loaded yet (the viewer loads through the "load" signal).
// Posts an error message when it cannot be loaded.
bool LoadLocation(GstVnStreamParse* self) {
  if (self->session->loaded()) return true;
  gchar* location = CopyLocation(self);
  if (!location) return true;  // READY -> PAUSED reports the missing recording
  const gint result = OnLoad(self, location);
  if (result == zv::kLoadFileNotFound) {
    GST_ELEMENT_ERROR(self, RESOURCE, NOT_FOUND, ("Could not find the recording \"%s\".", location),
                      (nullptr));
  } else if (result == zv::kLoadInvalidFormat) {
    GST_ELEMENT_ERROR(self, STREAM, WRONG_TYPE,
                      ("\"%s\" is not a recording that can be read.", location), (nullptr));
  } else if (result != zv::kLoadOk) {
    GST_ELEMENT_ERROR(self, RESOURCE, OPEN_READ,
                      ("Could not open the recording \"%s\" for reading.", location),
                      GST_ERROR_SYSTEM);
  }
  g_free(location);
  return result == zv::kLoadOk;
}

void SetProperty(GObject* object, guint id, const GValue* value, GParamSpec* spec) {
  GstVnStreamParse* self = GST_VN_STREAM_PARSE(object);
  if (id != kPropLocation) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
    return;
  }
  GError* error = nullptr;
  if (!SetLocation(self, g_value_get_string(value), &error)) {
    g_warning("%s", error->message);
    g_error_free(error);
  }
}

void GetProperty(GObject* object, guint id, GValue* value, GParamSpec* spec) {
  if (id != kPropLocation) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
    return;
  }
  g_value_take_string(value, CopyLocation(GST_VN_STREAM_PARSE(object)));
}

GstURIType UriType(GType) { return GST_URI_SRC; }

const gchar* const* UriProtocols(GType) {
  static const gchar* const protocols[] = {"file", nullptr};
  return protocols;
}

gchar* GetUri(GstURIHandler* handler) {
  gchar* location = CopyLocation(GST_VN_STREAM_PARSE(handler));
  gchar* uri = location ? gst_filename_to_uri(location, nullptr) : nullptr;
  g_free(location);
  return uri;
}

// Takes file URIs of this machine (no host, or localhost).
gboolean SetUri(GstURIHandler* handler, const gchar* uri, GError** error) {
  gchar* host = nullptr;
  gchar* path = g_filename_from_uri(uri, &host, nullptr);
  const bool local = path && (!host || g_str_equal(host, "localhost"));
  gboolean set = FALSE;
  if (!local) {
    g_set_error(error, GST_URI_ERROR, GST_URI_ERROR_BAD_URI, "Not a local file URI: %s", uri);
  } else {
    set = SetLocation(GST_VN_STREAM_PARSE(handler), path, error);
    if (set) g_object_notify(G_OBJECT(handler), "location");
  }
  g_free(host);
  g_free(path);
  return set;
}

void UriHandlerInit(gpointer iface, gpointer) {
  auto* handler = static_cast<GstURIHandlerInterface*>(iface);
  handler->get_type = UriType;
  handler->get_protocols = UriProtocols;
  handler->get_uri = GetUri;
  handler->set_uri = SetUri;
}

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
  if (transition == GST_STATE_CHANGE_NULL_TO_READY && !LoadLocation(GST_VN_STREAM_PARSE(element)))
    return GST_STATE_CHANGE_FAILURE;
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
  g_free(GST_VN_STREAM_PARSE(object)->location);
  G_OBJECT_CLASS(gst_vn_stream_parse_parent_class)->finalize(object);
}

}  // namespace

static void gst_vn_stream_parse_class_init(GstVnStreamParseClass* klass) {
  GObjectClass* objectClass = G_OBJECT_CLASS(klass);
  GstElementClass* elementClass = GST_ELEMENT_CLASS(klass);
  objectClass->finalize = Finalize;
  objectClass->set_property = SetProperty;
  objectClass->get_property = GetProperty;
  g_object_class_install_property(
      objectClass, kPropLocation,
      g_param_spec_string("location", "Location", "Path of the recording to read", nullptr,
                          static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS |
                                                   GST_PARAM_MUTABLE_READY)));
  elementClass->change_state = ChangeState;
  elementClass->query = ElementQuery;
  elementClass->send_event = SendEvent;

  gst_element_class_add_static_pad_template(elementClass, &videoTemplate);
  gst_element_class_add_static_pad_template(elementClass, &audioTemplate);
  gst_element_class_set_static_metadata(
      elementClass, zv::kParseFilterElementName, "Codec/Demuxer",
      "Reads a dashcam recording: its video channels, audio and sensor records",
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
