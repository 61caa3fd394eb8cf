// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/FrameRelay.h"

#include <QMetaObject>

#include "player/VideoWindow.h"

namespace zv {

FrameRelay::FrameRelay(std::array<IVideoWindow*, kChannels> windows) : windows_(windows) {}

void FrameRelay::Offer(int channel, GstSample* sample) {
  if (channel < 0 || channel >= kChannels || !sample) return;
  VideoFrame frame = VideoFrame::FromSample(sample);
  if (frame.IsNull()) return;
  bool post = false;
  {
    std::lock_guard lock(mutex_);
    // The latest frame keeps its buffer alive, so an equal key is the same
    // picture again, not a recycled buffer.
    if (frame.Key() == latest_[channel].Key()) return;
    latest_[channel] = frame;
    pending_[channel] = std::move(frame);
    post = !posted_;
    posted_ = true;
  }
  if (post) QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::QueuedConnection);
}

VideoFrame FrameRelay::LatestFrame(int channel) const {
  if (channel < 0 || channel >= kChannels) return {};
  std::lock_guard lock(mutex_);
  return latest_[channel];
}

int FrameRelay::DeliveredCount(int channel) const {
  std::lock_guard lock(mutex_);
  return channel >= 0 && channel < kChannels ? delivered_[channel] : 0;
}

void FrameRelay::Deliver() {
  std::array<VideoFrame, kChannels> frames;
  {
    std::lock_guard lock(mutex_);
    posted_ = false;
    for (int c = 0; c < kChannels; ++c) {
      if (pending_[c].IsNull()) continue;
      frames[c] = std::move(pending_[c]);
      pending_[c] = VideoFrame();
      ++delivered_[c];
    }
  }
  for (int c = 0; c < kChannels; ++c)
    if (!frames[c].IsNull() && windows_[c]) windows_[c]->PresentFrame(frames[c]);
}

}  // namespace zv
