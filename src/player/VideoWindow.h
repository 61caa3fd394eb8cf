#pragma once

#include <QSize>

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
  // The size the window shows its pictures at; frames are scaled to it
  // before they are handed over. Empty: the frame's own size.
  virtual QSize DisplaySize() const { return {}; }
};

}  // namespace zv
