#pragma once

#include <QImage>
#include <QWidget>

#include "player/VideoWindow.h"

// The host of one video channel. It keeps the last frame handed to it and
// paints that frame stretched over its whole area (no aspect correction;
// the owner gives the screen a 16:9 place); black while it has no frame.
// Frames are handed over on the GUI thread.
class CZvScreenCtrl : public QWidget, public zv::IVideoWindow {
  Q_OBJECT

public:
  explicit CZvScreenCtrl(QWidget* parent = nullptr);

  void SetFrame(const QImage& frame);
  // Forgets the frame; the screen turns black.
  void ClearFrame();
  QImage CurrentFrame() const { return m_frame; }

  // The engine's frames arrive here.
  void PresentFrame(const QImage& frame) override { SetFrame(frame); }
  void RepaintFrame() override { update(); }
  QSize DisplaySize() const override { return size(); }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QImage m_frame;
};
