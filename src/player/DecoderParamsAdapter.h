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

// A decoder bin for one H.264 channel: h264parse, avdec_h264, videobalance
// (brightness) and videoflip (mirror), with ghost pads "sink" and "src".
// Returns nullptr when an element is missing on the machine.
GstElement* MakeVideoDecoderBin(const char* name);
// Loads the plugins of the bin's elements (any thread).
void PreloadVideoDecoderBin();

}  // namespace zv
