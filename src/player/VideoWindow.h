#pragma once

class QImage;

namespace zv {

// A window that shows one video channel. The engine hands it every frame on
// the user-interface thread; the window keeps the last one and paints it
// stretched over its whole area.
class IVideoWindow {
 public:
  virtual ~IVideoWindow() = default;
  virtual void PresentFrame(const QImage& frame) = 0;
  virtual void RepaintFrame() = 0;
};

}  // namespace zv
