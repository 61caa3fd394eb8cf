// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <memory>

#include "player/DecoderParams.h"

namespace zv {

// The parameter interface of one channel's decoder bin: brightness goes to
// its videobalance element (value / 255), the mirror to its videoflip.
class DecoderParamsAdapter : public IDecoderParams {
 public:
  // The interface of a decoder bin made by MakeVideoDecoderBin; nothing for
  // any other element.
  static std::unique_ptr<IDecoderParams> Query(GstElement* decoder);
  ~DecoderParamsAdapter() override;

  int32_t PutParam(int32_t param, int32_t value) override;

 private:
  DecoderParamsAdapter(GstElement* balance, GstElement* flip) : balance_(balance), flip_(flip) {}
  GstElement* balance_;  // owned references
  GstElement* flip_;
};

// The decoder bin of one video channel whose stream has `caps`: the parser
// and the decoder that the registry offers for them (ElementFactories.h),
// a converter for pictures the filters after it do not take, then
// videobalance (brightness) and videoflip (mirror), with ghost pads
// "sink" and "src". Returns nullptr when nothing on the machine decodes them.
GstElement* MakeVideoDecoderBin(const char* name, GstCaps* caps);
// Loads the plugins of that bin's elements (any thread).
void PreloadVideoDecoderBin(GstCaps* caps);

}  // namespace zv
