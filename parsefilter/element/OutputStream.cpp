// SPDX-License-Identifier: LGPL-2.1-or-later
#include "element/OutputStream.h"

#include "element/ChunkQueue.h"

namespace zv {

OutputStream::OutputStream(GstElement* element, ChunkQueue& queue, size_t index, GstPad* pad,
                           GstCaps* caps)
    : element_(element), queue_(queue), index_(index), pad_(pad), caps_(caps) {}

OutputStream::~OutputStream() { gst_caps_unref(caps_); }

void OutputStream::Start() { gst_pad_start_task(pad_, &OutputStream::Loop, this, nullptr); }

void OutputStream::Pause() { gst_pad_pause_task(pad_); }

void OutputStream::Stop() { gst_pad_stop_task(pad_); }

void OutputStream::ResetFlow() {
  // Only called while the pad's thread is paused or stopped.
  lastFlow_ = GST_FLOW_OK;
  finished_ = false;
  queue_.SetDraining(index_, false);
}

void OutputStream::Loop(gpointer self) { static_cast<OutputStream*>(self)->PushNext(); }

void OutputStream::PushNext() {
  GstMiniObject* item = queue_.Pop(index_);
  if (!item) {  // flushing: a seek or a state change waits for us
    gst_pad_pause_task(pad_);
    return;
  }
  if (GST_IS_EVENT(item)) {
    GstEvent* event = GST_EVENT_CAST(item);
    bool eos = GST_EVENT_TYPE(event) == GST_EVENT_EOS;
    gst_pad_push_event(pad_, event);
    if (eos) gst_pad_pause_task(pad_);
    return;
  }
  if (finished_) {
    gst_mini_object_unref(item);
    return;
  }
  OnFlow(gst_pad_push(pad_, GST_BUFFER_CAST(item)));
}

void OutputStream::OnFlow(GstFlowReturn flow) {
  lastFlow_ = flow;
  if (flow == GST_FLOW_OK) return;
  if (flow == GST_FLOW_FLUSHING) {
    gst_pad_pause_task(pad_);
    return;
  }
  // Not linked: the other pads go on, and this one's data is dropped
  // quickly. EOS or an error: this pad takes nothing more until a seek; the
  // EOS event at the end of the queue is still pushed.
  queue_.SetDraining(index_, true);
  if (flow == GST_FLOW_NOT_LINKED) return;
  finished_ = true;
  if (flow < GST_FLOW_NOT_LINKED) GST_ELEMENT_FLOW_ERROR(element_, flow);
}

}  // namespace zv
