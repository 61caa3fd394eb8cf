// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>

#include "skin/LayoutRect.h"

namespace zv {

// Every child window of the main window that the layout places.
enum class LayoutSlot {
  Open, Capture, Save, Print, Setting, Zoom, About,  // top bar, left to right
  Min, Max, Close,
  ViewFront, ViewRear, ViewAll,
  Prev, Rewind, Play, Pause, Forward, Next,
  SpeedButton, SpeedSlider, BrightButton, BrightSlider, Mute, Volume, SpeedGauge,
  TimeText, GsensorGraph, SeekSlider, GsensorText,
  MapTitle, MapButton, MapPanel, NoDataPanel, PositionText,
  FilterAll, FilterEvent, FilterNormal, FilterParking, RecordingList,
  FrontScreen, RearScreen,
};

// The five areas of the main window for a client size.
struct LayoutAreas {
  LayoutRect video, graph, controlBar, map, list;
};

// The geometry of the G-sensor graph for its width (time axis cells).
struct GraphAxis {
  int left = 20;       // graphLeft
  int right = 0;       // graphRight = left + 12 × cellWidth
  int cellWidth = 0;
};

// The positions and sizes of the main window's children for a client size of
// width × height and a view mode (1 front, 2 rear, 3 both). All divisions
// truncate toward zero.
class MainWindowLayout {
 public:
  MainWindowLayout(int width, int height, int viewMode);

  const LayoutAreas& Areas() const { return areas_; }
  const std::map<LayoutSlot, LayoutRect>& Placements() const { return placements_; }
  LayoutRect Of(LayoutSlot slot) const { return placements_.at(slot); }
  // The centring offset of the transport controls (0 at the minimum width).
  int TransportOffset() const { return transport_; }
  const GraphAxis& Axis() const { return axis_; }

  static LayoutAreas AreasFor(int width, int height);
  static GraphAxis AxisFor(int graphWidth);
  // The largest 16:9 rectangle centred in `area`.
  static LayoutRect FitVideoRect(const LayoutRect& area);

  static constexpr int kMinWidth = 1034;
  static constexpr int kMinHeight = 742;
  static constexpr int kSeekChannelOffset = 15;

 private:
  void PlaceTopBar();
  void PlaceVideo(int viewMode);
  void PlaceGraphColumn();
  void PlaceTransport();
  void PlaceMapAndList();
  void Put(LayoutSlot slot, int x, int y, int width, int height);

  int width_, height_;
  LayoutAreas areas_;
  GraphAxis axis_;
  int transport_ = 0;
  std::map<LayoutSlot, LayoutRect> placements_;
};

}  // namespace zv
