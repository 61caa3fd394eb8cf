// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

#include "player/PictureScaler.h"
#include "player/VideoFrame.h"
#include "skin/IScreenSurface.h"

// The screen surface for machines without OpenGL: converts the frame on the
// CPU, area-averaged where it shrinks and interpolated where it enlarges,
// straight to the device pixels of the widget, and keeps that picture until
// the frame or the size changes.
class CpuScreenSurface : public QWidget, public IScreenSurface {
 public:
  explicit CpuScreenSurface(QWidget* parent = nullptr);

  QWidget* Widget() override { return this; }
  void ShowFrame(const zv::VideoFrame& frame) override;
  QImage Grab() override;
  int PicturesMade() const override { return m_made; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSize DeviceSize() const;
  const QImage& Picture();

  zv::VideoFrame m_frame;
  zv::PictureScaler m_scaler;
  QImage m_picture;
  const void* m_pictureKey = nullptr;
  int m_made = 0;
};
