// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/GlScreenSurface.h"

#include <QGenericMatrix>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QTimer>

#include <cmath>

namespace {

#ifndef GL_UNPACK_ROW_LENGTH
#define GL_UNPACK_ROW_LENGTH 0x0CF2
#endif

const char* kVertexShader = R"(
attribute vec2 position;
void main() { gl_Position = vec4(position, 0.0, 1.0); }
)";

// For each channel: its texture, the component of the texel that holds it,
// the texture's size, the texels per target pixel and where target edge 0
// lies (both per axis), and how many bilinear taps each axis takes and how
// far apart (in texels) they start.
const char* kFragmentShader = R"(
#ifdef GL_ES
precision highp float;
#endif
uniform sampler2D plane0;
uniform sampler2D plane1;
uniform sampler2D plane2;
uniform vec4 pick0, pick1, pick2;
uniform vec2 size0, size1, size2;
uniform vec2 scale0, scale1, scale2;
uniform vec2 shift0, shift1, shift2;
uniform vec2 taps0, taps1, taps2;
uniform vec2 spacing0, spacing1, spacing2;
uniform float targetHeight;
uniform mat3 colourMatrix;
uniform vec3 colourOffset;

// Tap k of one axis for target pixel t: (weight, texel position). Where the
// picture shrinks, tap k covers the texels j and j + 1 of the pixel's
// footprint with their covered parts as weights, which one bilinear fetch
// between them gives exactly; where it enlarges, one tap at the centre.
vec2 Tap(float t, float scale, float shift, float spacing, float k) {
  if (scale <= 1.0) return vec2(1.0, (t + 0.5) * scale + shift);
  float from = t * scale + shift;
  float to = from + scale;
  float j = floor(from) + spacing * k;
  float w0 = clamp(min(j + 1.0, to) - max(j, from), 0.0, 1.0);
  float w1 = clamp(min(j + 2.0, to) - max(j + 1.0, from), 0.0, 1.0);
  float w = w0 + w1;
  return vec2(w, j + 0.5 + (w > 0.0 ? w1 / w : 0.0));
}

float Channel(sampler2D plane, vec4 pick, vec2 size, vec2 scale, vec2 shift, vec2 taps, vec2 spacing,
              vec2 target) {
  float sum = 0.0;
  float total = 0.0;
  for (int i = 0; i < 8; ++i) {
    if (float(i) >= taps.y) break;
    vec2 ty = Tap(target.y, scale.y, shift.y, spacing.y, float(i));
    for (int k = 0; k < 8; ++k) {
      if (float(k) >= taps.x) break;
      vec2 tx = Tap(target.x, scale.x, shift.x, spacing.x, float(k));
      float w = tx.x * ty.x;
      sum += w * dot(texture2D(plane, vec2(tx.y, ty.y) / size), pick);
      total += w;
    }
  }
  return total > 0.0 ? sum / total : 0.0;
}

void main() {
  vec2 target = vec2(floor(gl_FragCoord.x), targetHeight - 1.0 - floor(gl_FragCoord.y));
  vec3 code = vec3(Channel(plane0, pick0, size0, scale0, shift0, taps0, spacing0, target),
                   Channel(plane1, pick1, size1, scale1, shift1, taps1, spacing1, target),
                   Channel(plane2, pick2, size2, scale2, shift2, taps2, spacing2, target));
  gl_FragColor = vec4(clamp(colourMatrix * (code - colourOffset), 0.0, 1.0), 1.0);
}
)";

// Texture formats by bytes per texel, and the component vector of byte k.
GLenum TextureFormat(int step) {
  switch (step) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    default: return GL_RGBA;
  }
}

QVector4D Pick(int step, int component) {
  if (step == 1) return {1, 0, 0, 0};
  if (step == 2) return component == 0 ? QVector4D(1, 0, 0, 0) : QVector4D(0, 0, 0, 1);
  QVector4D pick;
  pick[std::min(component, 3)] = 1;
  return pick;
}

// Bilinear taps one axis needs for `scale` texels per pixel: one where the
// picture enlarges, else enough pairs of texels to cover the footprint (at
// most eight pairs, spread over it beyond 15 texels).
std::pair<float, float> TapsFor(double scale) {
  if (scale <= 1) return {1, 2};
  const double pairs = std::ceil((std::ceil(scale) + 1) / 2);
  if (pairs <= 8) return {static_cast<float>(pairs), 2};
  return {8, static_cast<float>(std::ceil(scale) / 8)};
}

}  // namespace

namespace {

bool g_softwareAllowed = false;

enum class Renderer { None, Software, Hardware };

Renderer ProbeRenderer() {
  const QString platform = QGuiApplication::platformName();
  if (platform == "offscreen" || platform == "minimal") return Renderer::None;
  QOpenGLContext context;
  if (!context.create()) return Renderer::None;
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) return Renderer::None;
  const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
  const QString renderer = QString::fromLatin1(name ? name : "").toLower();
  context.doneCurrent();
  for (const char* software : {"llvmpipe", "softpipe", "software rasterizer", "swrast", "swr "})
    if (renderer.contains(QLatin1String(software))) return Renderer::Software;
  return Renderer::Hardware;
}

// Probed once per process: making a context takes a while.
Renderer ProcessRenderer() {
  static const Renderer renderer = ProbeRenderer();
  return renderer;
}

}  // namespace

bool GlScreenSurface::Available() {
  const Renderer renderer = ProcessRenderer();
  return renderer == Renderer::Hardware || (renderer == Renderer::Software && g_softwareAllowed);
}

bool GlScreenSurface::ContextAvailable() { return ProcessRenderer() != Renderer::None; }

void GlScreenSurface::SetSoftwareRendererAllowed(bool allowed) { g_softwareAllowed = allowed; }

GlScreenSurface::GlScreenSurface(QWidget* parent, std::function<void()> failed)
    : QOpenGLWidget(parent), m_failed(std::move(failed)) {}

GlScreenSurface::~GlScreenSurface() {
  if (!m_ready || !context()) return;
  makeCurrent();
  ReleaseTextures();
  m_quad.destroy();
  doneCurrent();
}

void GlScreenSurface::ShowFrame(const zv::VideoFrame& frame) {
  m_frame = frame;
  update();
}

QImage GlScreenSurface::Grab() {
  if (m_frame.IsNull()) return {};
  return grabFramebuffer();
}

void GlScreenSurface::Fail() {
  m_ready = false;
  QTimer::singleShot(0, this, [this] {
    if (m_failed) m_failed();
  });
}

void GlScreenSurface::initializeGL() {
  initializeOpenGLFunctions();
  QOpenGLContext* gl = context();
  m_rowLength = !gl->isOpenGLES() || gl->format().majorVersion() >= 3;
  if (!m_program.addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
      !m_program.addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) ||
      (m_program.bindAttributeLocation("position", 0), !m_program.link())) {
    qWarning("video screen: OpenGL shader failed, drawing on the CPU: %s", qPrintable(m_program.log()));
    return Fail();
  }
  const GLfloat corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
  m_quad.create();
  m_quad.bind();
  m_quad.allocate(corners, sizeof corners);
  m_quad.release();
  for (Texture& texture : m_textures) glGenTextures(1, &texture.id);
  m_ready = true;
}

void GlScreenSurface::ReleaseTextures() {
  for (Texture& texture : m_textures) {
    if (texture.id) glDeleteTextures(1, &texture.id);
    texture = Texture();
  }
}

void GlScreenSurface::UploadPlane(Texture& texture, const zv::ChannelPlane& plane) {
  const uint8_t* base = plane.data - plane.component;
  const GLenum format = TextureFormat(plane.step);
  glBindTexture(GL_TEXTURE_2D, texture.id);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const bool fresh = texture.width != plane.width || texture.height != plane.height || texture.step != plane.step;
  if (fresh) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), plane.width, plane.height, 0, format,
                 GL_UNSIGNED_BYTE, nullptr);
  }
  const bool packed = plane.stride == plane.width * plane.step;
  if (packed || (m_rowLength && plane.stride % plane.step == 0)) {
    if (!packed) glPixelStorei(GL_UNPACK_ROW_LENGTH, plane.stride / plane.step);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, plane.width, plane.height, format, GL_UNSIGNED_BYTE, base);
    if (!packed) glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  } else {
    for (int y = 0; y < plane.height; ++y)
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, y, plane.width, 1, format, GL_UNSIGNED_BYTE,
                      base + static_cast<ptrdiff_t>(y) * plane.stride);
  }
  texture.base = base;
  texture.width = plane.width;
  texture.height = plane.height;
  texture.step = plane.step;
}

// Uploads each memory plane of the frame once; channels that share a plane
// (NV12's chroma, the channels of BGRx) read one texture.
void GlScreenSurface::Upload() {
  const zv::PlanarPicture& picture = m_frame.Picture();
  int used = 0;
  std::array<const uint8_t*, 3> bases{};
  for (int c = 0; c < 3; ++c) {
    const zv::ChannelPlane& plane = picture.channels[c];
    const uint8_t* base = plane.data - plane.component;
    int t = 0;
    while (t < used && !(bases[t] == base && m_textures[t].step == plane.step)) ++t;
    if (t == used) {
      UploadPlane(m_textures[t], plane);
      bases[t] = base;
      ++used;
    }
    m_sources[c] = {t, plane.component};
  }
  m_uploaded = m_frame;
  ++m_made;
}

void GlScreenSurface::SetChannelUniforms(int c, QSize target) {
  const zv::PlanarPicture& picture = m_frame.Picture();
  const zv::ChannelPlane& plane = picture.channels[c];
  const Texture& texture = m_textures[m_sources[c].texture];
  const QByteArray n = QByteArray::number(c);
  const double sx = double(picture.width) / target.width() / plane.subsampleX;
  const double sy = double(picture.height) / target.height() / plane.subsampleY;
  const auto [tapsX, spacingX] = TapsFor(sx);
  const auto [tapsY, spacingY] = TapsFor(sy);
  m_program.setUniformValue(("plane" + n).constData(), m_sources[c].texture);
  m_program.setUniformValue(("pick" + n).constData(), Pick(texture.step, m_sources[c].component));
  m_program.setUniformValue(("size" + n).constData(), QVector2D(texture.width, texture.height));
  m_program.setUniformValue(("scale" + n).constData(), QVector2D(sx, sy));
  m_program.setUniformValue(("shift" + n).constData(), QVector2D(plane.shiftX, plane.shiftY));
  m_program.setUniformValue(("taps" + n).constData(), QVector2D(tapsX, tapsY));
  m_program.setUniformValue(("spacing" + n).constData(), QVector2D(spacingX, spacingY));
}

void GlScreenSurface::paintGL() {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  if (!m_ready || m_frame.IsNull()) return;
  if (m_uploaded.Key() != m_frame.Key() || m_uploaded.IsNull()) Upload();
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  const QSize target(viewport[2], viewport[3]);
  if (target.isEmpty()) return;
  m_program.bind();
  for (int t = 0; t < 3; ++t) {
    glActiveTexture(GL_TEXTURE0 + t);
    glBindTexture(GL_TEXTURE_2D, m_textures[t].id);
  }
  glActiveTexture(GL_TEXTURE0);
  for (int c = 0; c < 3; ++c) SetChannelUniforms(c, target);
  const zv::ColourMatrix& colours = m_frame.Picture().colours;
  float rows[9];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) rows[i * 3 + j] = colours.matrix[i][j];
  m_program.setUniformValue("colourMatrix", QMatrix3x3(rows));
  m_program.setUniformValue("colourOffset",
                            QVector3D(colours.offset[0] / 255, colours.offset[1] / 255, colours.offset[2] / 255));
  m_program.setUniformValue("targetHeight", static_cast<GLfloat>(target.height()));
  m_quad.bind();
  m_program.enableAttributeArray(0);
  m_program.setAttributeBuffer(0, GL_FLOAT, 0, 2);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  m_program.disableAttributeArray(0);
  m_quad.release();
  m_program.release();
}
