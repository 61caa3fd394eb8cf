// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <gst/gst.h>

#include "reader/Recording.h"

namespace zv {

// The caps of a recording's streams as the element offers them on its pads:
// H.264 and H.265 as byte-stream access units, MPEG-4 Part 2 elementary
// video, MJPEG pictures; AAC raw with its AudioSpecificConfig, PCM 8, 16 and
// 24 bit, MP3, IMA ADPCM.
GstCaps* CapsOfVideo(const VideoStream& v);
GstCaps* CapsOfAudio(const AudioStream& a);

// The pad templates' caps: every format above.
extern const char kVideoTemplateCaps[];
extern const char kAudioTemplateCaps[];

}  // namespace zv
