// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/CZvGsensorCtrl.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "sensors/SensorRecords.h"
#include "sensors/ViewerContextMenu.h"
#include "skin/CMemoryDC.h"

namespace {

const QColor kBackground(10, 10, 10);
const QColor kFrameGrey(120, 120, 120);
const QColor kCursor(255, 255, 255);
const QColor kAxisColours[3] = {QColor(255, 100, 0), QColor(255, 255, 0), QColor(0, 255, 0)};
constexpr zv::GsensorAxis kAxes[3] = {zv::GsensorAxis::X, zv::GsensorAxis::Y, zv::GsensorAxis::Z};

// Texts are placed by the top-left corner of their line.
void DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
  painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

}  // namespace

CZvGsensorCtrl::CZvGsensorCtrl(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("ZvGsensorWnd"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(0, 0, 600, 100);
  UpdateGeometry();
}

void CZvGsensorCtrl::UpdateGeometry() {
  geometry = zv::ComputeGsensorGraphGeometry(width(), height(), cellCount, leftMargin, rightMargin);
}

void CZvGsensorCtrl::paintEvent(QPaintEvent*) {
  UpdateGeometry();
  CMemoryDC dc;
  if (!dc.Create(size())) return;
  QPainter& p = dc.Painter();
  p.drawPixmap(0, 0, Picture());
  DrawCursor(p);
  QPainter window(this);
  dc.CopyTo(window);
}

// The grid, labels and curves, drawn again only when the records, the time
// span or the size changed.
const QPixmap& CZvGsensorCtrl::Picture() {
  const PictureKey key{size(), timeWindowMs, zv::SensorRecordsGeneration()};
  if (key == pictureKey_ && !picture_.isNull()) return picture_;
  CMemoryDC dc;
  if (!dc.Create(size())) return picture_;
  QPainter& p = dc.Painter();
  p.fillRect(rect(), kBackground);
  DrawGrid(p);
  DrawScaleLabels(p);
  DrawCurves(p);
  picture_ = dc.Finish();
  pictureKey_ = key;
  return picture_;
}

void CZvGsensorCtrl::DrawCursor(QPainter& p) const {
  if (cursorMs_ < 0 || timeWindowMs <= 0) return;
  const int x = zv::GsensorGraphX(geometry, cursorMs_, timeWindowMs);
  p.setPen(QPen(kCursor, 1, Qt::SolidLine));
  p.drawLine(x, geometry.graphTop, x, geometry.graphBottom);
}

void CZvGsensorCtrl::SetCursorMs(int64_t ms) {
  const auto xOf = [this](int64_t t) { return t < 0 ? -1 : zv::GsensorGraphX(geometry, t, timeWindowMs); };
  const bool moves = xOf(ms) != xOf(cursorMs_);
  cursorMs_ = ms;
  if (moves) update();
}

int64_t CZvGsensorCtrl::TimeAtX(int x) const { return zv::GsensorGraphTimeAt(geometry, x, timeWindowMs); }

void CZvGsensorCtrl::DrawGrid(QPainter& p) const {
  const zv::GsensorGraphGeometry& g = geometry;
  p.setPen(QPen(kFrameGrey, 1, Qt::SolidLine));
  p.drawLine(g.graphLeft, g.graphTop, g.graphLeft, g.graphBottom);
  p.drawLine(g.graphRight, g.graphTop, g.graphRight, g.graphBottom);

  p.setPen(QPen(kFrameGrey, 0, Qt::DotLine));
  for (int i = 1; i < cellCount; ++i) {
    const int x = g.graphLeft + i * g.cellWidth;
    p.drawLine(x, g.graphTop, x, g.graphBottom);
  }
  for (const int y : {g.mid, g.mid - g.scaleStep, g.mid + g.scaleStep})
    p.drawLine(g.graphLeft, y, g.graphRight, y);
}

void CZvGsensorCtrl::DrawScaleLabels(QPainter& p) const {
  const zv::GsensorGraphGeometry& g = geometry;
  QFont font(QStringLiteral("굴림"));
  font.setPointSize(8);
  p.setFont(font);
  p.setPen(kFrameGrey);
  DrawTextAt(p, g.graphLeft - 10, g.mid - g.scaleStep - 5, QStringLiteral("2"));
  DrawTextAt(p, g.graphLeft - 10, g.mid - 5, QStringLiteral("0"));
  DrawTextAt(p, g.graphLeft - 14, g.mid + g.scaleStep - 5, QStringLiteral("-2"));
}

void CZvGsensorCtrl::DrawCurves(QPainter& p) const {
  const auto& samples = zv::GSensorRecords().Records();
  for (int axis = 0; axis < 3; ++axis) {
    const auto points = zv::GsensorCurvePoints(geometry, samples, kAxes[axis], timeWindowMs);
    p.setPen(QPen(kAxisColours[axis], 1, Qt::SolidLine));
    for (size_t i = 1; i < points.size(); ++i)
      p.drawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
  }
}

QMenu* CZvGsensorCtrl::CreatePopupMenu() {
  QMenu* menu = CreateViewerContextMenu(this);
  connect(menu, &QMenu::triggered, this, [this](QAction* action) {
    if (action->data().isValid()) emit command(action->data().toInt());
  });
  return menu;
}

// The press stays in the graph, so the window behind it shows no second menu.
void CZvGsensorCtrl::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton && timeWindowMs > 0) emit seekRequested(TimeAtX(event->position().toPoint().x()));
  if (event->button() != Qt::RightButton) return;
  QMenu* menu = CreatePopupMenu();
  menu->exec(event->globalPosition().toPoint());
  delete menu;
}

void CZvGsensorCtrl::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) && timeWindowMs > 0)
    emit seekRequested(TimeAtX(event->position().toPoint().x()));
  QWidget::mouseMoveEvent(event);
}
