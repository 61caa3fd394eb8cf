#include "player/FrameRelay.h"

#include <QMetaObject>

#include "player/VideoWindow.h"

namespace zv {

FrameRelay::FrameRelay(std::array<IVideoWindow*, kChannels> windows) : windows_(windows) {
  for (int c = 0; c < kChannels; ++c)
    if (windows_[c]) displaySizes_[c] = windows_[c]->DisplaySize();
}

FrameRelay::~FrameRelay() {
  for (GstSample* sample : latest_)
    if (sample) gst_sample_unref(sample);
}

void FrameRelay::Offer(int channel, GstSample* sample) {
  if (channel < 0 || channel >= kChannels || !sample) return;
  QSize size;
  {
    std::lock_guard lock(mutex_);
    size = displaySizes_[channel];
  }
  QImage shown = displayConverters_[channel].Convert(sample, size);
  bool post = false;
  {
    std::lock_guard lock(mutex_);
    if (latest_[channel]) gst_sample_unref(latest_[channel]);
    latest_[channel] = gst_sample_ref(sample);
    pending_[channel] = std::move(shown);
    post = !posted_;
    posted_ = true;
  }
  if (post) QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::QueuedConnection);
}

QImage FrameRelay::LatestFrame(int channel) const {
  if (channel < 0 || channel >= kChannels) return {};
  GstSample* sample = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (latest_[channel]) sample = gst_sample_ref(latest_[channel]);
  }
  if (!sample) return {};
  FrameConverter converter;
  QImage frame = converter.Convert(sample, QSize());
  gst_sample_unref(sample);
  return frame;
}

int FrameRelay::DeliveredCount(int channel) const {
  std::lock_guard lock(mutex_);
  return channel >= 0 && channel < kChannels ? delivered_[channel] : 0;
}

void FrameRelay::Deliver() {
  std::array<QImage, kChannels> frames;
  std::array<QSize, kChannels> sizes;
  for (int c = 0; c < kChannels; ++c)
    if (windows_[c]) sizes[c] = windows_[c]->DisplaySize();
  {
    std::lock_guard lock(mutex_);
    posted_ = false;
    for (int c = 0; c < kChannels; ++c) {
      displaySizes_[c] = sizes[c];
      if (pending_[c].isNull()) continue;
      frames[c] = std::move(pending_[c]);
      pending_[c] = QImage();
      ++delivered_[c];
    }
  }
  for (int c = 0; c < kChannels; ++c)
    if (!frames[c].isNull() && windows_[c]) windows_[c]->PresentFrame(frames[c]);
}

}  // namespace zv
