#include "output/CZoomDlg.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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
  timer_.start();
}

CZoomDlg::~CZoomDlg() { timer_.stop(); }

void CZoomDlg::ToggleShown() {
  if (visible == 1) {
    HideShown();
  } else {
    show();
    visible = 1;
  }
  update();
}

void CZoomDlg::OnTimer() {
  if (visible == 1) Refresh();
}

void CZoomDlg::Refresh() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect screenRect = screen->geometry();
  QImage copy = screen->grabWindow(0).toImage();
  if (copy.isNull()) return;
  copy.setDevicePixelRatio(1);
  if (copy.size() != screenRect.size()) copy = copy.scaled(screenRect.size());
  const QPoint origin = screenRect.topLeft();
  picture_ = Magnify(std::move(copy), QCursor::pos(screen) - origin,
                     QRect(mapToGlobal(QPoint(0, 0)) - origin, size()), size(), factor);
  update();
}

QImage CZoomDlg::Magnify(QImage screenCopy, QPoint cursor, QRect ownArea, QSize clientSize,
                         int factor) {
  QPainter(&screenCopy).fillRect(ownArea, kOwnAreaGrey);
  const zv::MagnifierSource source =
      zv::MagnifierSourceRect(cursor.x(), cursor.y(), clientSize.width(), clientSize.height(),
                              screenCopy.width(), screenCopy.height(), factor);
  QImage picture(clientSize, QImage::Format_RGB32);
  picture.fill(kOwnAreaGrey);
  if (source.width > 0 && source.height > 0) {
    QPainter painter(&picture);
    painter.drawImage(QRect(QPoint(0, 0), clientSize), screenCopy,
                      QRect(source.x, source.y, source.width, source.height));
  }
  return picture;
}

void CZoomDlg::HideShown() {
  if (visible == 1) {
    hide();
    visible = 0;
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
