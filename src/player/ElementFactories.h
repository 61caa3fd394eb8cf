// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <initializer_list>
#include <memory>

#include "player/GstHandles.h"

namespace zv {

using GstElementFactoryPtr = std::unique_ptr<GstElementFactory, GstObjectUnref>;

// Loads the plugins behind the named element factories into the process, so
// that creating those elements later, on the window's thread, does not wait
// for a plugin library to load (the first libav decoder takes a good part of
// a second). Safe on any thread; costs nothing once a plugin is loaded.
void PreloadElementFactories(std::initializer_list<const char*> names);
void PreloadElementFactory(GstElementFactory* factory);

// What decodes a stream of `caps`, chosen from GStreamer's registry: the
// highest-ranked decoder that takes the caps (hardware decoders left out,
// so that what plays does not hang on a device) and the highest-ranked
// parser that takes them, if any. `media` is GST_ELEMENT_FACTORY_TYPE_MEDIA_
// VIDEO or _AUDIO. The decoder is null when the machine has none.
struct DecoderFactories {
  GstElementFactoryPtr parser;
  GstElementFactoryPtr decoder;
};
DecoderFactories FindDecoderFactories(GstCaps* caps, GstElementFactoryListType media);

// A bin of the parser (when there is one) and the decoder for `caps`, with
// ghost pads "sink" and "src", or nullptr when nothing decodes them. `tail`
// elements (owned by the call) are linked after the decoder inside the bin.
GstElement* MakeDecodingBin(const char* name, GstCaps* caps, GstElementFactoryListType media,
                            std::initializer_list<GstElement*> tail = {});

// Limits the decoders in `bin` that spread their work over threads
// (libav's "max-threads") to `threads`; other elements are left alone.
void LimitDecoderThreads(GstElement* bin, unsigned threads);

}  // namespace zv
