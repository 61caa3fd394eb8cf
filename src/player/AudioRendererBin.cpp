#include "player/AudioRendererBin.h"

#include <initializer_list>

#include "player/ElementFactories.h"

namespace zv {
namespace {
constexpr const char* kVolumeName = "volume";
constexpr const char* kConvertFactory = "audioconvert";
constexpr const char* kResampleFactory = "audioresample";
constexpr const char* kTempoFactory = "scaletempo";
constexpr const char* kVolumeFactory = "volume";
constexpr const char* kSinkFactory = "autoaudiosink";
}  // namespace

void PreloadAudioRendererBin() {
  PreloadElementFactories({kConvertFactory, kResampleFactory, kTempoFactory, kVolumeFactory, kSinkFactory});
}

GstElement* MakeAudioRendererBin(const char* name) {
  GstElement* convert = gst_element_factory_make(kConvertFactory, nullptr);
  GstElement* resample = gst_element_factory_make(kResampleFactory, nullptr);
  GstElement* tempo = gst_element_factory_make(kTempoFactory, nullptr);
  GstElement* convert2 = gst_element_factory_make(kConvertFactory, nullptr);
  GstElement* volume = gst_element_factory_make(kVolumeFactory, kVolumeName);
  GstElement* sink = gst_element_factory_make(kSinkFactory, nullptr);
  const auto all = {convert, resample, tempo, convert2, volume, sink};
  for (GstElement* e : all) {
    if (e) continue;
    for (GstElement* made : all)
      if (made) gst_object_unref(gst_object_ref_sink(made));
    return nullptr;
  }
  GstElement* bin = gst_bin_new(name);
  gst_bin_add_many(GST_BIN(bin), convert, resample, tempo, convert2, volume, sink, nullptr);
  gst_element_link_many(convert, resample, tempo, convert2, volume, sink, nullptr);
  GstPad* pad = gst_element_get_static_pad(convert, "sink");
  gst_element_add_pad(bin, gst_ghost_pad_new("sink", pad));
  gst_object_unref(pad);
  return bin;
}

bool SetAudioRendererVolume(GstElement* renderer, double linear) {
  if (!renderer || !GST_IS_BIN(renderer)) return false;
  GstElement* volume = gst_bin_get_by_name(GST_BIN(renderer), kVolumeName);
  if (!volume) return false;
  g_object_set(volume, "volume", linear, "mute", linear <= 0.0, nullptr);
  gst_object_unref(volume);
  return true;
}

}  // namespace zv
