// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zv {

class VideoFrame;

// A window that shows one video channel. The engine hands it every new
// decoded frame on the user-interface thread; the window keeps the last one
// and draws it over its whole area, scaling and converting it itself (and
// only when it is shown).
class IVideoWindow {
 public:
  virtual ~IVideoWindow() = default;
  virtual void PresentFrame(const VideoFrame& frame) = 0;
  virtual void RepaintFrame() = 0;
  // The engine that handed over the frames is gone: the window keeps
  // showing the last one, but in memory of its own, so that the closed
  // pipeline's buffers (and the decoder's pool they belong to) can go.
  virtual void DetachFrame() = 0;
};

}  // namespace zv
