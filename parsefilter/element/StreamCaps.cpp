// SPDX-License-Identifier: LGPL-2.1-or-later
#include "element/StreamCaps.h"

#include <gst/audio/audio.h>

#include <numeric>

namespace zv {

const char kVideoTemplateCaps[] =
    "video/x-h264, stream-format = (string) byte-stream, alignment = (string) au; "
    "video/x-h265, stream-format = (string) byte-stream, alignment = (string) au; "
    "video/mpeg, mpegversion = (int) 4, systemstream = (boolean) false; "
    "image/jpeg";
const char kAudioTemplateCaps[] =
    "audio/mpeg, mpegversion = (int) 4, stream-format = (string) raw; "
    "audio/x-raw, format = (string) { U8, S16LE, S24LE }, layout = (string) interleaved; "
    "audio/mpeg, mpegversion = (int) 1, layer = (int) 3; "
    "audio/x-adpcm, layout = (string) dvi";

namespace {

GstCaps* VideoMedia(const VideoStream& v) {
  switch (v.codec) {
    case VideoCodec::H264:
      return gst_caps_new_simple("video/x-h264", "stream-format", G_TYPE_STRING, "byte-stream", "alignment",
                                 G_TYPE_STRING, "au", nullptr);
    case VideoCodec::H265:
      return gst_caps_new_simple("video/x-h265", "stream-format", G_TYPE_STRING, "byte-stream", "alignment",
                                 G_TYPE_STRING, "au", nullptr);
    case VideoCodec::Mpeg4:
      return gst_caps_new_simple("video/mpeg", "mpegversion", G_TYPE_INT, 4, "systemstream", G_TYPE_BOOLEAN,
                                 FALSE, nullptr);
    case VideoCodec::Mjpeg:
      return gst_caps_new_empty_simple("image/jpeg");
  }
  return gst_caps_new_empty_simple("video/x-unknown");
}

void SetCodecData(GstCaps* caps, const std::vector<uint8_t>& data) {
  if (data.empty()) return;
  GstBuffer* buffer = gst_buffer_new_memdup(data.data(), data.size());
  gst_caps_set_simple(caps, "codec_data", GST_TYPE_BUFFER, buffer, nullptr);
  gst_buffer_unref(buffer);
}

const char* PcmFormat(uint32_t bits) {
  switch (bits) {
    case 8: return "U8";
    case 24: return "S24LE";
    default: return "S16LE";
  }
}

GstCaps* AudioMedia(const AudioStream& a) {
  switch (a.codec) {
    case AudioCodec::Pcm:
      return gst_caps_new_simple("audio/x-raw", "format", G_TYPE_STRING, PcmFormat(a.bitsPerSample), "layout",
                                 G_TYPE_STRING, "interleaved", nullptr);
    case AudioCodec::Aac: {
      GstCaps* caps = gst_caps_new_simple("audio/mpeg", "mpegversion", G_TYPE_INT, 4, "stream-format",
                                          G_TYPE_STRING, "raw", nullptr);
      SetCodecData(caps, a.codecData);
      return caps;
    }
    case AudioCodec::Mp3:
      return gst_caps_new_simple("audio/mpeg", "mpegversion", G_TYPE_INT, 1, "layer", G_TYPE_INT, 3, nullptr);
    case AudioCodec::ImaAdpcm:
      return gst_caps_new_simple("audio/x-adpcm", "layout", G_TYPE_STRING, "dvi", "block_align", G_TYPE_INT,
                                 static_cast<gint>(a.blockAlign), nullptr);
  }
  return gst_caps_new_empty_simple("audio/x-unknown");
}

}  // namespace

GstCaps* CapsOfVideo(const VideoStream& v) {
  GstCaps* caps = VideoMedia(v);
  uint32_t divisor = std::gcd(v.rate, v.scale);
  gst_caps_set_simple(caps, "width", G_TYPE_INT, static_cast<gint>(v.width), "height", G_TYPE_INT,
                      static_cast<gint>(v.height), "framerate", GST_TYPE_FRACTION, static_cast<gint>(v.rate / divisor),
                      static_cast<gint>(v.scale / divisor), nullptr);
  if (v.codec == VideoCodec::Mpeg4) SetCodecData(caps, v.codecData);
  return caps;
}

GstCaps* CapsOfAudio(const AudioStream& a) {
  GstCaps* caps = AudioMedia(a);
  const auto channels = static_cast<gint>(a.channels);
  gst_caps_set_simple(caps, "rate", G_TYPE_INT, static_cast<gint>(a.sampleRate), "channels", G_TYPE_INT, channels,
                      nullptr);
  if (a.codec == AudioCodec::Pcm && channels > 2)
    gst_caps_set_simple(caps, "channel-mask", GST_TYPE_BITMASK, gst_audio_channel_get_fallback_mask(channels), nullptr);
  return caps;
}

}  // namespace zv
