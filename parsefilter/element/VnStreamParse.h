// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <gst/gst.h>

G_BEGIN_DECLS

// The vnstreamparse element: reads a recording file and offers its video and
// audio streams on source pads, and its sensor records through the
// "read-record" action signal.
#define GST_TYPE_VN_STREAM_PARSE (gst_vn_stream_parse_get_type())
G_DECLARE_FINAL_TYPE(GstVnStreamParse, gst_vn_stream_parse, GST, VN_STREAM_PARSE, GstElement)

// Registers the element factory "vnstreamparse" (plugin null: in the running
// process only). Safe to call more than once.
gboolean gst_vn_stream_parse_register(GstPlugin* plugin);

G_END_DECLS
