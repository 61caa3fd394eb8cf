#pragma once

#include <QImage>
#include <QObject>

#include <array>
#include <mutex>

namespace zv {

class IVideoWindow;

// Hands the frames that the pipeline's streaming threads produce over to the
// user-interface thread. Only the newest frame of each channel is kept: when
// the interface is behind, older frames are dropped rather than queued. The
// relay belongs to one engine; frames posted to a relay that has been
// destroyed with its engine are dropped by Qt with the relay.
class FrameRelay : public QObject {
 public:
  static constexpr int kChannels = 2;

  explicit FrameRelay(std::array<IVideoWindow*, kChannels> windows);

  // Any thread: the newest frame of `channel`.
  void Offer(int channel, QImage frame);
  // Any thread: the newest frame of `channel` (null when none arrived yet).
  QImage LatestFrame(int channel) const;
  // User-interface thread: frames of the channel have been shown.
  int DeliveredCount(int channel) const;

 private:
  void Deliver();

  std::array<IVideoWindow*, kChannels> windows_;
  mutable std::mutex mutex_;
  std::array<QImage, kChannels> latest_;
  std::array<bool, kChannels> undelivered_{};
  std::array<int, kChannels> delivered_{};
  bool posted_ = false;
};

}  // namespace zv
