// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

#include "player/VideoFrame.h"
#include "player/VideoWindow.h"

class IScreenSurface;

// The host of one video channel. It keeps the last frame handed to it and
// draws that frame over its whole area (no aspect correction; the owner
// gives the screen a 16:9 place), filtered and at device pixels: with
// OpenGL where the machine has it, on the CPU otherwise (chosen by itself).
// Black while it has no frame. Frames are handed over on the GUI thread; a
// hidden screen converts nothing. Mouse presses on the picture are the
// screen's own.
class CZvScreenCtrl : public QWidget, public zv::IVideoWindow {
  Q_OBJECT

public:
  explicit CZvScreenCtrl(QWidget* parent = nullptr);

  // Shows a still picture.
  void SetFrame(const QImage& frame);
  // Forgets the frame; the screen turns black.
  void ClearFrame();
  bool HasFrame() const { return !m_frame.IsNull(); }
  // The picture as the screen draws it, at its size in device pixels; null
  // without a frame.
  QImage CurrentFrame() const;
  // Whether the picture is drawn with OpenGL.
  bool UsesOpenGl() const { return m_openGl; }
  // Frames turned into pictures so far (the cost of showing them).
  int PicturesMade() const;

  // The engine's frames arrive here.
  void PresentFrame(const zv::VideoFrame& frame) override;
  void RepaintFrame() override;
  void DetachFrame() override;

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void UseSurface(IScreenSurface* surface);
  void FallBackToCpu();

  zv::VideoFrame m_frame;
  IScreenSurface* m_surface = nullptr;  // a child widget
  bool m_openGl = false;
  int m_madeBefore = 0;  // by surfaces given up
};
