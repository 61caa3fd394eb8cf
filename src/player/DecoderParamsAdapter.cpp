#include "player/DecoderParamsAdapter.h"

#include <gst/base/gstbasetransform.h>

#include <algorithm>

#include "player/ElementFactories.h"
#include "player/PlayState.h"

namespace zv {
namespace {
constexpr const char* kBalanceName = "brightness";
constexpr const char* kFlipName = "mirror";
constexpr const char* kParserFactory = "h264parse";
constexpr const char* kDecoderFactory = "avdec_h264";
constexpr const char* kBalanceFactory = "videobalance";
constexpr const char* kFlipFactory = "videoflip";
}  // namespace

void PreloadVideoDecoderBin() {
  PreloadElementFactories({kParserFactory, kDecoderFactory, kBalanceFactory, kFlipFactory});
}

GstElement* MakeVideoDecoderBin(const char* name) {
  GstElement* parse = gst_element_factory_make(kParserFactory, nullptr);
  GstElement* decode = gst_element_factory_make(kDecoderFactory, nullptr);
  GstElement* balance = gst_element_factory_make(kBalanceFactory, kBalanceName);
  GstElement* flip = gst_element_factory_make(kFlipFactory, kFlipName);
  if (!parse || !decode || !balance || !flip) {
    for (GstElement* e : {parse, decode, balance, flip})
      if (e) gst_object_unref(gst_object_ref_sink(e));
    return nullptr;
  }
  // Set explicitly, so that the flip passes frames through untouched (no
  // copy of every frame) until a mirror is asked for.
  gst_util_set_object_arg(G_OBJECT(flip), "method", "none");
  gst_base_transform_set_passthrough(GST_BASE_TRANSFORM(flip), TRUE);
  GstElement* bin = gst_bin_new(name);
  gst_bin_add_many(GST_BIN(bin), parse, decode, balance, flip, nullptr);
  gst_element_link_many(parse, decode, balance, flip, nullptr);
  GstPad* sink = gst_element_get_static_pad(parse, "sink");
  GstPad* src = gst_element_get_static_pad(flip, "src");
  gst_element_add_pad(bin, gst_ghost_pad_new("sink", sink));
  gst_element_add_pad(bin, gst_ghost_pad_new("src", src));
  gst_object_unref(sink);
  gst_object_unref(src);
  return bin;
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
