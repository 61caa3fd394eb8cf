// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlaybackTestSupport.h"

#include "EventWait.h"


#include <algorithm>

std::string Fixture(const char* name) { return std::string(ZV_FIXTURE_DIR) + "/" + name; }

bool WaitFor(const std::function<bool()>& done, int ms) { return WaitForEvents(done, ms); }

double MeanLuma(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x)
      sum += 0.299 * qRed(line[x]) + 0.587 * qGreen(line[x]) + 0.114 * qBlue(line[x]);
  }
  return rgb.isNull() ? 0 : sum / (rgb.width() * rgb.height());
}

static void CollectNames(GstElement* bin, std::vector<std::string>& names) {
  GstIterator* it = gst_bin_iterate_recurse(GST_BIN(bin));
  GValue item = G_VALUE_INIT;
  while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
    gchar* name = gst_element_get_name(GST_ELEMENT(g_value_get_object(&item)));
    names.emplace_back(name);
    g_free(name);
    g_value_reset(&item);
  }
  g_value_unset(&item);
  gst_iterator_free(it);
}

std::vector<std::string> ElementNames(GstElement* bin) {
  std::vector<std::string> names;
  if (bin) CollectNames(bin, names);
  return names;
}

bool HasElement(GstElement* bin, const std::string& name) {
  const auto names = ElementNames(bin);
  return std::find(names.begin(), names.end(), name) != names.end();
}

GStreamerComplaints::GStreamerComplaints()
    : handler_(g_log_set_handler(
          "GStreamer", GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING),
          [](const gchar*, GLogLevelFlags, const gchar*, gpointer count) { ++*static_cast<int*>(count); }, &count_)) {}

GStreamerComplaints::~GStreamerComplaints() { g_log_remove_handler("GStreamer", handler_); }
