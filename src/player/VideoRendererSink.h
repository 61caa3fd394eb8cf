// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

namespace zv {

class FrameRelay;

// The renderer of one channel: an appsink that takes decoded frames in step
// with the clock.
GstElement* MakeVideoRendererSink(const char* name);

// Sends every frame that reaches `sink` (also the still frame of a pause or a
// seek) to the relay as a frame of `channel`.
void AttachRendererToChannel(GstElement* sink, FrameRelay* relay, int channel);

}  // namespace zv
