#pragma once

#include <gst/gst.h>

#include <QImage>
#include <QObject>
#include <QSize>

#include <array>
#include <mutex>

#include "player/FrameConverter.h"

namespace zv {

class IVideoWindow;

// Hands the frames that the pipeline's streaming threads produce over to the
// user-interface thread, each already scaled to its window's size. Only the
// newest frame of each channel is kept: when the interface is behind, older
// frames are dropped rather than queued. The newest decoded frame is also
// kept at its own size for grabs. The relay belongs to one engine; frames
// posted to a relay that has been destroyed with its engine are dropped by Qt
// with the relay.
class FrameRelay : public QObject {
 public:
  static constexpr int kChannels = 2;

  explicit FrameRelay(std::array<IVideoWindow*, kChannels> windows);
  ~FrameRelay() override;

  // The streaming thread of `channel`: a new decoded frame.
  void Offer(int channel, GstSample* sample);
  // Any thread: the newest frame of `channel` at its own size (null when
  // none arrived yet).
  QImage LatestFrame(int channel) const;
  // Frames of the channel handed to its window so far.
  int DeliveredCount(int channel) const;

 private:
  void Deliver();

  std::array<IVideoWindow*, kChannels> windows_;
  std::array<FrameConverter, kChannels> displayConverters_;  // one per streaming thread
  mutable std::mutex mutex_;
  std::array<QSize, kChannels> displaySizes_;
  std::array<QImage, kChannels> pending_;
  std::array<GstSample*, kChannels> latest_{};
  std::array<int, kChannels> delivered_{};
  bool posted_ = false;
};

}  // namespace zv
