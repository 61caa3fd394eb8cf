// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <gst/gst.h>

#include <atomic>
#include <cstddef>

namespace zv {

class ChunkQueue;

// One source pad of the element and the thread that pushes its queue of
// buffers and events downstream. It keeps the last flow result, so the
// element can tell when no pad takes data any more.
class OutputStream {
 public:
  OutputStream(GstElement* element, ChunkQueue& queue, size_t index, GstPad* pad, GstCaps* caps);
  ~OutputStream();
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  GstPad* pad() const { return pad_; }
  GstCaps* caps() const { return caps_; }
  GstFlowReturn lastFlow() const { return lastFlow_.load(); }

  void Start();
  void Pause();  // waits for the pushing thread to leave its loop
  void Stop();   // waits, and ends the thread
  void ResetFlow();

 private:
  static void Loop(gpointer self);
  void PushNext();
  void OnFlow(GstFlowReturn flow);

  GstElement* element_;
  ChunkQueue& queue_;
  size_t index_;
  GstPad* pad_;    // owned by the element
  GstCaps* caps_;  // owned
  std::atomic<GstFlowReturn> lastFlow_{GST_FLOW_OK};
  bool finished_ = false;  // downstream took EOS or failed: drop the rest
};

}  // namespace zv
