// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/ElementFactories.h"

#include <cstring>
#include <vector>

namespace zv {

namespace {

// The best factory of `type`, of at least `minRank`, whose sink template
// takes `caps`.
GstElementFactoryPtr Best(GstElementFactoryListType type, GstRank minRank, GstCaps* caps) {
  GList* all = gst_element_factory_list_get_elements(type, minRank);
  GList* fit = gst_element_factory_list_filter(all, caps, GST_PAD_SINK, FALSE);
  fit = g_list_sort(fit, gst_plugin_feature_rank_compare_func);
  GstElementFactoryPtr best;
  for (GList* l = fit; l && !best; l = l->next) {
    auto* factory = GST_ELEMENT_FACTORY(l->data);
    const gchar* klass = gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS);
    if (klass && std::strstr(klass, "Hardware")) continue;
    best.reset(GST_ELEMENT_FACTORY(gst_object_ref(factory)));
  }
  gst_plugin_feature_list_free(fit);
  gst_plugin_feature_list_free(all);
  return best;
}

void Discard(std::initializer_list<GstElement*> elements) {
  for (GstElement* e : elements)
    if (e) gst_object_unref(gst_object_ref_sink(e));
}

}  // namespace

void PreloadElementFactory(GstElementFactory* factory) {
  if (!factory) return;
  GstPluginFeature* loaded = gst_plugin_feature_load(GST_PLUGIN_FEATURE(factory));
  if (loaded) gst_object_unref(loaded);
}

void PreloadElementFactories(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    GstElementFactoryPtr factory(gst_element_factory_find(name));
    PreloadElementFactory(factory.get());
  }
}

DecoderFactories FindDecoderFactories(GstCaps* caps, GstElementFactoryListType media) {
  DecoderFactories found;
  if (!caps) return found;
  // Pictures (MJPEG) are decoded by image decoders.
  if (media & GST_ELEMENT_FACTORY_TYPE_MEDIA_VIDEO) media |= GST_ELEMENT_FACTORY_TYPE_MEDIA_IMAGE;
  found.decoder = Best(GST_ELEMENT_FACTORY_TYPE_DECODER | media, GST_RANK_MARGINAL, caps);
  // Parsers serve only to frame and describe the stream for the decoder; one
  // without a rank (jpegparse) does that as well.
  found.parser = Best(GST_ELEMENT_FACTORY_TYPE_PARSER | media, GST_RANK_NONE, caps);
  return found;
}

GstElement* MakeDecodingBin(const char* name, GstCaps* caps, GstElementFactoryListType media,
                            std::initializer_list<GstElement*> tail) {
  DecoderFactories factories = FindDecoderFactories(caps, media);
  GstElement* parser = factories.parser ? gst_element_factory_create(factories.parser.get(), nullptr) : nullptr;
  GstElement* decoder = factories.decoder ? gst_element_factory_create(factories.decoder.get(), nullptr) : nullptr;
  bool complete = decoder != nullptr && (parser || !factories.parser);
  for (GstElement* e : tail) complete = complete && e;
  if (!complete) {
    Discard({parser, decoder});
    Discard(tail);
    return nullptr;
  }
  std::vector<GstElement*> chain;
  if (parser) chain.push_back(parser);
  chain.push_back(decoder);
  chain.insert(chain.end(), tail.begin(), tail.end());
  GstElement* bin = gst_bin_new(name);
  for (GstElement* e : chain) gst_bin_add(GST_BIN(bin), e);
  for (size_t i = 1; i < chain.size(); ++i) gst_element_link(chain[i - 1], chain[i]);
  GstPad* sink = gst_element_get_static_pad(chain.front(), "sink");
  GstPad* src = gst_element_get_static_pad(chain.back(), "src");
  gst_element_add_pad(bin, gst_ghost_pad_new("sink", sink));
  gst_element_add_pad(bin, gst_ghost_pad_new("src", src));
  gst_object_unref(sink);
  gst_object_unref(src);
  return bin;
}

void LimitDecoderThreads(GstElement* bin, unsigned threads) {
  if (!bin || !GST_IS_BIN(bin)) return;
  GstIterator* it = gst_bin_iterate_elements(GST_BIN(bin));
  gst_iterator_foreach(
      it,
      [](const GValue* item, gpointer data) {
        GObject* element = G_OBJECT(g_value_get_object(item));
        GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(element), "max-threads");
        if (spec && spec->value_type == G_TYPE_INT)
          g_object_set(element, "max-threads", static_cast<int>(*static_cast<unsigned*>(data)), nullptr);
      },
      &threads);
  gst_iterator_free(it);
}

}  // namespace zv
