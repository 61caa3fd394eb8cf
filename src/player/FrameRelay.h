// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <QObject>

#include <array>
#include <mutex>

#include "player/VideoFrame.h"

namespace zv {

class IVideoWindow;

// Hands the frames that the pipeline's streaming threads produce over to the
// user-interface thread as they were decoded; the windows convert and scale
// what they show. Only the newest frame of each channel is kept: when the
// interface is behind, older frames are dropped rather than queued. A frame
// offered twice (the still picture of a pause, then the same buffer when
// playback starts) is handed over once. The streaming threads never wait
// for the interface, and the interface waits for them only to swap a
// pointer. The relay belongs to one engine; frames posted to a relay that has
// been destroyed with its engine are dropped by Qt with the relay.
class FrameRelay : public QObject {
 public:
  static constexpr int kChannels = 2;

  explicit FrameRelay(std::array<IVideoWindow*, kChannels> windows);

  // The streaming thread of `channel`: a new decoded frame.
  void Offer(int channel, GstSample* sample);
  // Any thread: the newest frame of `channel` (null when none arrived yet).
  VideoFrame LatestFrame(int channel) const;
  // Frames of the channel handed to its window so far.
  int DeliveredCount(int channel) const;

 private:
  void Deliver();

  std::array<IVideoWindow*, kChannels> windows_;
  mutable std::mutex mutex_;
  std::array<VideoFrame, kChannels> pending_;
  std::array<VideoFrame, kChannels> latest_;
  std::array<int, kChannels> delivered_{};
  bool posted_ = false;
};

}  // namespace zv
