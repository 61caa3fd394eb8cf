// SPDX-License-Identifier: GPL-3.0-or-later
#include "CZvScreenCtrl.h"

#include "skin/CpuScreenSurface.h"
#include "skin/GlScreenSurface.h"

CZvScreenCtrl::CZvScreenCtrl(QWidget* parent) : QWidget(parent) {
  setWindowTitle("ZvScreenWnd");
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Presses on the picture stay here: they neither move the window nor open
  // the window's menu.
  setAttribute(Qt::WA_NoMousePropagation);
  setAttribute(Qt::WA_NoSystemBackground);
  if (GlScreenSurface::Available()) {
    m_openGl = true;
    UseSurface(new GlScreenSurface(this, [this] { FallBackToCpu(); }));
  } else {
    UseSurface(new CpuScreenSurface(this));
  }
}

void CZvScreenCtrl::UseSurface(IScreenSurface* surface) {
  m_surface = surface;
  QWidget* widget = surface->Widget();
  // Presses go to the screen itself, not to the surface on it.
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  widget->setGeometry(rect());
  widget->show();
  m_surface->ShowFrame(m_frame);
}

// OpenGL did not work out for this screen after all: draw on the CPU.
void CZvScreenCtrl::FallBackToCpu() {
  if (!m_openGl) return;
  m_openGl = false;
  m_madeBefore += m_surface->PicturesMade();
  m_surface->Widget()->hide();
  m_surface->Widget()->deleteLater();
  UseSurface(new CpuScreenSurface(this));
}

void CZvScreenCtrl::SetFrame(const QImage& frame) { PresentFrame(zv::VideoFrame::FromImage(frame)); }

void CZvScreenCtrl::ClearFrame() { PresentFrame(zv::VideoFrame()); }

void CZvScreenCtrl::PresentFrame(const zv::VideoFrame& frame) {
  m_frame = frame;
  m_surface->ShowFrame(frame);
}

void CZvScreenCtrl::RepaintFrame() { m_surface->Widget()->update(); }

void CZvScreenCtrl::DetachFrame() { PresentFrame(m_frame.Detached()); }

QImage CZvScreenCtrl::CurrentFrame() const { return m_frame.IsNull() ? QImage() : m_surface->Grab(); }

int CZvScreenCtrl::PicturesMade() const { return m_madeBefore + m_surface->PicturesMade(); }

void CZvScreenCtrl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_surface->Widget()->setGeometry(rect());
}
