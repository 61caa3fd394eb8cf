// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>

#include <array>
#include <functional>

#include "player/VideoFrame.h"
#include "skin/IScreenSurface.h"

// The screen surface drawn with OpenGL: the frame's planes are uploaded as
// they were decoded (only when the frame changes and the screen paints),
// and a shader scales and converts them at the widget's device pixels: each
// pixel averages the area of the frame it covers (exactly, from bilinear
// taps over pairs of texels) where the picture shrinks, and is interpolated
// bilinearly where it enlarges; then the stream's colour matrix and range
// turn it into RGB.
class GlScreenSurface : public QOpenGLWidget, protected QOpenGLFunctions, public IScreenSurface {
 public:
  // Whether screens draw with OpenGL in this process: not on the offscreen
  // or minimal platforms, nor where no context can be made (as with
  // QT_XCB_GL_INTEGRATION=none), nor with a software renderer (Mesa's
  // llvmpipe and the like), which spends more CPU than the CPU path does,
  // unless software renderers are allowed.
  static bool Available();
  // Whether an OpenGL context can be made at all (on the offscreen and
  // minimal platforms: no), software renderers included.
  static bool ContextAvailable();
  // Lets screens draw through a software renderer, for the tests and
  // benchmarks of the OpenGL path on machines without a GPU. Takes effect
  // for screens made afterwards.
  static void SetSoftwareRendererAllowed(bool allowed);

  // `failed` is called, later on the event loop, if OpenGL turns out not to
  // work for this widget after all.
  GlScreenSurface(QWidget* parent, std::function<void()> failed);
  ~GlScreenSurface() override;

  QWidget* Widget() override { return this; }
  void ShowFrame(const zv::VideoFrame& frame) override;
  QImage Grab() override;
  int PicturesMade() const override { return m_made; }

 protected:
  void initializeGL() override;
  void paintGL() override;

 private:
  struct Texture {
    GLuint id = 0;
    const uint8_t* base = nullptr;  // the plane it holds
    int width = 0, height = 0, step = 0;
  };
  struct ChannelSource {
    int texture = 0;
    int component = 0;
  };
  void Upload();
  void UploadPlane(Texture& texture, const zv::ChannelPlane& plane);
  void SetChannelUniforms(int channel, QSize target);
  void Fail();
  void ReleaseTextures();

  std::function<void()> m_failed;
  QOpenGLShaderProgram m_program;
  QOpenGLBuffer m_quad{QOpenGLBuffer::VertexBuffer};
  bool m_ready = false;
  bool m_rowLength = false;  // GL_UNPACK_ROW_LENGTH is there
  zv::VideoFrame m_frame;
  zv::VideoFrame m_uploaded;  // the frame the textures hold
  std::array<Texture, 3> m_textures;
  std::array<ChannelSource, 3> m_sources;
  int m_made = 0;
};
