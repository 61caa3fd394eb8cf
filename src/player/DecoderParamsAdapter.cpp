// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/DecoderParamsAdapter.h"

#include <gst/base/gstbasetransform.h>

#include <algorithm>

#include "player/ElementFactories.h"
#include "player/PlayState.h"

namespace zv {
namespace {
constexpr const char* kBalanceName = "brightness";
constexpr const char* kFlipName = "mirror";
constexpr const char* kConvertFactory = "videoconvert";
constexpr const char* kCapsFilterFactory = "capsfilter";
constexpr const char* kUsualFormats = "video/x-raw, format=(string){ I420, NV12, YV12, Y42B, Y444, YUY2, BGRx }";
constexpr const char* kBalanceFactory = "videobalance";
constexpr const char* kFlipFactory = "videoflip";
}  // namespace

void PreloadVideoDecoderBin(GstCaps* caps) {
  PreloadElementFactories({kConvertFactory, kCapsFilterFactory, kBalanceFactory, kFlipFactory});
  DecoderFactories factories = FindDecoderFactories(caps, GST_ELEMENT_FACTORY_TYPE_MEDIA_VIDEO);
  PreloadElementFactory(factories.parser.get());
  PreloadElementFactory(factories.decoder.get());
}

GstElement* MakeVideoDecoderBin(const char* name, GstCaps* caps) {
  // A decoder may give pictures the brightness filter does not take (planar
  // RGB, 10-bit): they are converted to one of the usual formats first.
  // Pictures in those formats pass the converter untouched; naming them
  // keeps the caps negotiation through the converter short.
  GstElement* convert = gst_element_factory_make(kConvertFactory, nullptr);
  GstElement* formats = gst_element_factory_make(kCapsFilterFactory, nullptr);
  if (formats) {
    GstCaps* usual = gst_caps_from_string(kUsualFormats);
    g_object_set(formats, "caps", usual, nullptr);
    gst_caps_unref(usual);
  }
  GstElement* balance = gst_element_factory_make(kBalanceFactory, kBalanceName);
  GstElement* flip = gst_element_factory_make(kFlipFactory, kFlipName);
  if (flip) {
    // Set explicitly, so that the flip passes frames through untouched (no
    // copy of every frame) until a mirror is asked for.
    gst_util_set_object_arg(G_OBJECT(flip), "method", "none");
    gst_base_transform_set_passthrough(GST_BASE_TRANSFORM(flip), TRUE);
  }
  return MakeDecodingBin(name, caps, GST_ELEMENT_FACTORY_TYPE_MEDIA_VIDEO, {convert, formats, balance, flip});
}

std::unique_ptr<IDecoderParams> DecoderParamsAdapter::Query(GstElement* decoder) {
  if (!decoder || !GST_IS_BIN(decoder)) return nullptr;
  GstElement* balance = gst_bin_get_by_name(GST_BIN(decoder), kBalanceName);
  GstElement* flip = gst_bin_get_by_name(GST_BIN(decoder), kFlipName);
  if (!balance || !flip) {
    if (balance) gst_object_unref(balance);
    if (flip) gst_object_unref(flip);
    return nullptr;
  }
  return std::unique_ptr<IDecoderParams>(new DecoderParamsAdapter(balance, flip));
}

DecoderParamsAdapter::~DecoderParamsAdapter() {
  gst_object_unref(balance_);
  gst_object_unref(flip_);
}

int32_t DecoderParamsAdapter::PutParam(int32_t param, int32_t value) {
  switch (param) {
    case kParamBrightnessEnable:
    case kParamMirrorEnable:
      return S_OK;
    case kParamBrightness:
      g_object_set(balance_, "brightness", std::clamp(value / 255.0, -1.0, 1.0), nullptr);
      return S_OK;
    case kParamMirror:
      gst_util_set_object_arg(G_OBJECT(flip_), "method", value ? "horizontal-flip" : "none");
      gst_base_transform_set_passthrough(GST_BASE_TRANSFORM(flip_), value == 0);
      return S_OK;
    default:
      return E_FAIL;
  }
}

}  // namespace zv
