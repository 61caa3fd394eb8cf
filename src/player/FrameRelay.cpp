#include "player/FrameRelay.h"

#include <QMetaObject>

#include "player/VideoWindow.h"

namespace zv {

FrameRelay::FrameRelay(std::array<IVideoWindow*, kChannels> windows) : windows_(windows) {}

void FrameRelay::Offer(int channel, QImage frame) {
  if (channel < 0 || channel >= kChannels) return;
  bool post = false;
  {
    std::lock_guard lock(mutex_);
    latest_[channel] = std::move(frame);
    undelivered_[channel] = true;
    post = !posted_;
    posted_ = true;
  }
  if (post) QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::QueuedConnection);
}

QImage FrameRelay::LatestFrame(int channel) const {
  if (channel < 0 || channel >= kChannels) return {};
  std::lock_guard lock(mutex_);
  return latest_[channel];
}

int FrameRelay::DeliveredCount(int channel) const {
  std::lock_guard lock(mutex_);
  return channel >= 0 && channel < kChannels ? delivered_[channel] : 0;
}

void FrameRelay::Deliver() {
  std::array<QImage, kChannels> frames;
  {
    std::lock_guard lock(mutex_);
    posted_ = false;
    for (int c = 0; c < kChannels; ++c) {
      if (!undelivered_[c]) continue;
      frames[c] = latest_[c];
      undelivered_[c] = false;
      ++delivered_[c];
    }
  }
  for (int c = 0; c < kChannels; ++c)
    if (!frames[c].isNull() && windows_[c]) windows_[c]->PresentFrame(frames[c]);
}

}  // namespace zv
