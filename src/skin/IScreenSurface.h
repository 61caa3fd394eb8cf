// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QWidget;

namespace zv {
class VideoFrame;
}

// What draws the picture of a video screen: OpenGL where the machine has
// it, the CPU otherwise. The surface is a child widget that covers the
// screen; it converts and scales a frame only when it paints it.
class IScreenSurface {
 public:
  virtual ~IScreenSurface() = default;
  virtual QWidget* Widget() = 0;
  // Draws `frame` from the next paint on; a null frame draws black.
  virtual void ShowFrame(const zv::VideoFrame& frame) = 0;
  // The picture as drawn, at the surface's size in device pixels.
  virtual QImage Grab() = 0;
  // Frames turned into pictures so far (converted on the CPU or uploaded
  // to OpenGL textures).
  virtual int PicturesMade() const = 0;
};
