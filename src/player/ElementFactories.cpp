#include "player/ElementFactories.h"

#include <gst/gst.h>

namespace zv {

void PreloadElementFactories(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    GstElementFactory* factory = gst_element_factory_find(name);
    if (!factory) continue;
    GstPluginFeature* loaded = gst_plugin_feature_load(GST_PLUGIN_FEATURE(factory));
    if (loaded) gst_object_unref(loaded);
    gst_object_unref(factory);
  }
}

}  // namespace zv
