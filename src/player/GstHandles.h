// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <memory>

// Owning handles for GStreamer objects, so that no path forgets an unref.
namespace zv {

struct GstObjectUnref {
  void operator()(gpointer object) const { gst_object_unref(object); }
};
struct GstMiniObjectUnref {
  void operator()(GstMiniObject* object) const { gst_mini_object_unref(object); }
  void operator()(GstCaps* caps) const { gst_caps_unref(caps); }
  void operator()(GstSample* sample) const { gst_sample_unref(sample); }
  void operator()(GstMessage* message) const { gst_message_unref(message); }
  void operator()(GstQuery* query) const { gst_query_unref(query); }
};
struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
struct GFree {
  void operator()(gpointer p) const { g_free(p); }
};

using GstElementPtr = std::unique_ptr<GstElement, GstObjectUnref>;
using GstPadPtr = std::unique_ptr<GstPad, GstObjectUnref>;
using GstBusPtr = std::unique_ptr<GstBus, GstObjectUnref>;
using GstCapsPtr = std::unique_ptr<GstCaps, GstMiniObjectUnref>;
using GstSamplePtr = std::unique_ptr<GstSample, GstMiniObjectUnref>;
using GstMessagePtr = std::unique_ptr<GstMessage, GstMiniObjectUnref>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;
using GCharPtr = std::unique_ptr<gchar, GFree>;

// A new reference to `element` (for fields that hold their own reference).
inline GstElementPtr RefElement(GstElement* element) {
  return GstElementPtr(element ? GST_ELEMENT(gst_object_ref(element)) : nullptr);
}

}  // namespace zv
