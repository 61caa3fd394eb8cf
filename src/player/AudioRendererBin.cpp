// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/AudioRendererBin.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/DiagnosticsLog.h"
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
  // Without scaletempo (a machine without it) rates still work: the sink
  // then plays the samples faster or slower, and the pitch changes.
  GstElement* tempo = gst_element_factory_make(kTempoFactory, nullptr);
  std::vector<GstElement*> chain = {gst_element_factory_make(kConvertFactory, nullptr),
                                    gst_element_factory_make(kResampleFactory, nullptr)};
  if (tempo) chain.insert(chain.end(), {tempo, gst_element_factory_make(kConvertFactory, nullptr)});
  chain.insert(chain.end(), {gst_element_factory_make(kVolumeFactory, kVolumeName),
                             gst_element_factory_make(kSinkFactory, nullptr)});
  if (std::find(chain.begin(), chain.end(), nullptr) != chain.end()) {
    for (GstElement* made : chain)
      if (made) gst_object_unref(gst_object_ref_sink(made));
    return nullptr;
  }
  if (!tempo) LogLine(LogLevel::Warning, "scaletempo is missing: playback rates change the pitch");
  GstElement* bin = gst_bin_new(name);
  for (GstElement* e : chain) gst_bin_add(GST_BIN(bin), e);
  for (size_t i = 1; i < chain.size(); ++i) gst_element_link(chain[i - 1], chain[i]);
  GstPad* pad = gst_element_get_static_pad(chain.front(), "sink");
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
