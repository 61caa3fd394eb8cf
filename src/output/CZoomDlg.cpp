// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/CZoomDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "output/MagnifierGeometry.h"

namespace {
constexpr int kRefreshMs = 40;
const QColor kOwnAreaGrey(150, 150, 150);
}  // namespace

CZoomDlg::CZoomDlg(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("Zoom"));
  setWindowIcon(QIcon(QStringLiteral(":/skin/icon/128.png")));
  setAttribute(Qt::WA_OpaquePaintEvent);
  move(850, 465);
  resize(425, 330);
  timer_.setInterval(kRefreshMs);
  connect(&timer_, &QTimer::timeout, this, &CZoomDlg::OnTimer);
  qApp->installEventFilter(this);
}

CZoomDlg::~CZoomDlg() { timer_.stop(); }

void CZoomDlg::ToggleShown() {
  if (visible == 1) {
    HideShown();
  } else {
    show();
    visible = 1;
    timer_.start();
  }
  update();
}

// Every mouse move the program sees, in any of its windows, tells where the
// cursor is; a move over the magnifier itself leaves nothing to show.
bool CZoomDlg::eventFilter(QObject* watched, QEvent* event) {
  if (visible == 1 && event->type() == QEvent::MouseMove && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* window = widget->window();
    source_ = window == this ? nullptr : window;
    cursor_ = widget->mapTo(window, static_cast<QMouseEvent*>(event)->position().toPoint());
    cursorMoved_ = true;
  }
  return QDialog::eventFilter(watched, event);
}

void CZoomDlg::OnTimer() {
  if (visible == 1 && cursorMoved_) Refresh();
}

void CZoomDlg::Refresh() {
  cursorMoved_ = false;
  picture_ = Magnify(source_, cursor_, size(), factor);
  update();
}

QImage CZoomDlg::Magnify(QWidget* window, QPoint cursor, QSize clientSize, int factor) {
  QImage picture(clientSize, QImage::Format_RGB32);
  picture.fill(kOwnAreaGrey);
  if (!window || !window->isVisible()) return picture;
  const zv::MagnifierSource source =
      zv::MagnifierSourceRect(cursor.x(), cursor.y(), clientSize.width(), clientSize.height(),
                              window->width(), window->height(), factor);
  if (source.width <= 0 || source.height <= 0) return picture;
  // Only the source area is drawn, not the whole window.
  const QPixmap part = window->grab(QRect(source.x, source.y, source.width, source.height));
  QPainter(&picture).drawPixmap(QRect(QPoint(0, 0), clientSize), part);
  return picture;
}

void CZoomDlg::HideShown() {
  if (visible == 1) {
    hide();
    visible = 0;
    timer_.stop();
  }
}

void CZoomDlg::closeEvent(QCloseEvent* event) {
  event->ignore();
  HideShown();
}

void CZoomDlg::reject() { HideShown(); }

void CZoomDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull())
    painter.fillRect(rect(), kOwnAreaGrey);
  else
    painter.drawImage(rect(), picture_);
}
