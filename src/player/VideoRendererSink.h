#pragma once

#include <gst/gst.h>

namespace zv {

class FrameRelay;

// The renderer of one channel: an appsink that takes BGRx frames in step with
// the clock.
GstElement* MakeVideoRendererSink(const char* name);

// Sends every frame that reaches `sink` (also the still frame of a pause or a
// seek) to the relay as a QImage of `channel` that shares the frame's memory.
void AttachRendererToChannel(GstElement* sink, FrameRelay* relay, int channel);

}  // namespace zv
