// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindowLayout.h"

namespace zv {

MainWindowLayout::MainWindowLayout(int width, int height, int viewMode)
    : width_(width), height_(height), areas_(AreasFor(width, height)),
      axis_(AxisFor(width - 304)), transport_((width - 309 - 726) / 2) {
  PlaceTopBar();
  PlaceVideo(viewMode);
  PlaceGraphColumn();
  PlaceTransport();
  PlaceMapAndList();
}

LayoutAreas MainWindowLayout::AreasFor(int w, int h) {
  const int m = 50 + 2 * (h - 57) / 5;
  LayoutAreas a;
  a.video = {12, 50, w - 302, h - 271};
  a.graph = {7, h - 259, w - 297, h - 70};
  a.controlBar = {7, h - 63, w - 302, h - 7};
  a.map = {w - 287, 50, w - 7, m};
  a.list = {w - 287, m, w - 7, m + 3 * (h - 57) / 5};
  return a;
}

GraphAxis MainWindowLayout::AxisFor(int graphWidth) {
  GraphAxis axis;
  axis.cellWidth = (graphWidth - 10 - 20) / 12;
  axis.right = axis.left + 12 * axis.cellWidth;
  return axis;
}

LayoutRect MainWindowLayout::FitVideoRect(const LayoutRect& area) {
  const int w = area.width(), h = area.height();
  const int h16 = w * 9 / 16;
  if (h16 < h) return LayoutRect::FromSize(area.left, area.top + (h - h16) / 2, w, h16);
  const int w16 = h * 16 / 9;
  return LayoutRect::FromSize(area.left + (w - w16) / 2, area.top, w16, h);
}

void MainWindowLayout::Put(LayoutSlot slot, int x, int y, int width, int height) {
  placements_[slot] = LayoutRect::FromSize(x, y, width, height);
}

void MainWindowLayout::PlaceTopBar() {
  const LayoutSlot bar[] = {LayoutSlot::Open, LayoutSlot::Capture, LayoutSlot::Save, LayoutSlot::Print,
                            LayoutSlot::Setting, LayoutSlot::Zoom, LayoutSlot::About};
  for (int i = 0; i < 7; ++i) Put(bar[i], 9 + 44 * i, 9, 32, 31);
  Put(LayoutSlot::Close, width_ - 51, 9, 30, 24);
  Put(LayoutSlot::Max, width_ - 95, 9, 30, 24);
  Put(LayoutSlot::Min, width_ - 139, 9, 30, 24);
}

void MainWindowLayout::PlaceVideo(int viewMode) {
  const LayoutRect& v = areas_.video;
  const LayoutRect hidden{0, 0, 0, 0};
  LayoutRect front = hidden, rear = hidden;
  if (viewMode == 1) front = FitVideoRect(v);
  if (viewMode == 2) rear = FitVideoRect(v);
  if (viewMode == 3) {
    const int half = (v.right - v.left) / 2;
    front = FitVideoRect({v.left, v.top, v.left + half, v.bottom});
    rear = FitVideoRect({v.left + half, v.top, v.left + 2 * half, v.bottom});
  }
  placements_[LayoutSlot::FrontScreen] = front;
  placements_[LayoutSlot::RearScreen] = rear;
  Put(LayoutSlot::ViewAll, v.right - 43, v.bottom + 10, 43, 19);
  Put(LayoutSlot::ViewRear, v.right - 96, v.bottom + 10, 43, 19);
  Put(LayoutSlot::ViewFront, v.right - 149, v.bottom + 10, 43, 19);
}

void MainWindowLayout::PlaceGraphColumn() {
  const LayoutRect& g = areas_.graph;
  const int b = kSeekChannelOffset;
  Put(LayoutSlot::TimeText, 10, g.top + 3, 400, 20);
  Put(LayoutSlot::GsensorGraph, 7, g.top + 50, width_ - 304, 97);
  Put(LayoutSlot::SeekSlider, 7 + axis_.left - b + 2, g.top + 25, axis_.right - axis_.left + 2 * b, 30);
  Put(LayoutSlot::GsensorText, 10, g.bottom - 33, 400, 20);
}

void MainWindowLayout::PlaceTransport() {
  const int c = transport_, y = height_ - 63;
  Put(LayoutSlot::Prev, c + 22, y, 32, 32);
  Put(LayoutSlot::Rewind, c + 61, y, 32, 32);
  Put(LayoutSlot::Play, c + 100, y, 32, 32);
  Put(LayoutSlot::Pause, c + 100, y, 32, 32);
  Put(LayoutSlot::Forward, c + 139, y, 32, 32);
  Put(LayoutSlot::Next, c + 178, y, 32, 32);
  Put(LayoutSlot::SpeedButton, c + 227, height_ - 59, 24, 24);
  Put(LayoutSlot::SpeedSlider, c + 252, height_ - 61, 95, 30);
  Put(LayoutSlot::BrightButton, c + 350, height_ - 59, 24, 24);
  Put(LayoutSlot::BrightSlider, c + 375, height_ - 61, 95, 30);
  Put(LayoutSlot::Mute, c + 473, height_ - 59, 24, 24);
  Put(LayoutSlot::Volume, c + 512, height_ - 59, 70, 21);
  Put(LayoutSlot::SpeedGauge, c + 592, height_ - 66, 124, 38);
}

void MainWindowLayout::PlaceMapAndList() {
  const int w = width_, m = areas_.map.bottom;
  Put(LayoutSlot::MapTitle, w - 287, 63, 100, 20);
  Put(LayoutSlot::MapButton, w - 54, 54, 32, 32);
  Put(LayoutSlot::MapPanel, w - 285, 88, 274, m - 121);
  Put(LayoutSlot::NoDataPanel, w - 285, 88, 274, m - 121);
  Put(LayoutSlot::PositionText, w - 287, m - 26, 270, 20);
  Put(LayoutSlot::FilterAll, w - 203, m + 6, 43, 23);
  Put(LayoutSlot::FilterEvent, w - 155, m + 6, 43, 23);
  Put(LayoutSlot::FilterNormal, w - 107, m + 6, 43, 23);
  Put(LayoutSlot::FilterParking, w - 59, m + 6, 43, 23);
  Put(LayoutSlot::RecordingList, w - 287, m + 34, 280, areas_.list.bottom - m - 34);
}

}  // namespace zv
