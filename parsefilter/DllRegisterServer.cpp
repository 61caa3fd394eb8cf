// SPDX-License-Identifier: LGPL-2.1-or-later
#include <gst/gst.h>

#include <cstdint>

#include "BuildConfig.h"
#include "element/VnStreamParse.h"

namespace {
constexpr int32_t kRegisterFailed = static_cast<int32_t>(0x80004005);
}

// Self-registration entry point, called by the viewer at start-up. It
// registers the module's element factory in the running process; calling it
// again changes nothing.
extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer() {
  if (!gst_is_initialized() && !gst_init_check(nullptr, nullptr, nullptr)) return kRegisterFailed;
  return gst_vn_stream_parse_register(nullptr) ? 0 : kRegisterFailed;
}

// The plugin name matches the module file name, which is what GStreamer
// looks for when it loads the module from GST_PLUGIN_PATH.
static gboolean PluginInit(GstPlugin* plugin) { return gst_vn_stream_parse_register(plugin); }

// The plugin is free software under the LGPL, version 2.1 or later, as
// GStreamer itself; it comes from the zorvane-viewer source package.
#define PACKAGE "zorvane-viewer"
GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, VNStreamParseFilter,
                  "Reads the recordings of a two-camera car event recorder", PluginInit,
                  ZV_VERSION, "LGPL", "zorvane-viewer", ZV_PACKAGE_ORIGIN)
