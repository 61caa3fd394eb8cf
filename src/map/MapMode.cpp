// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapMode.h"

#include "map/CMapDlg.h"
#include "map/IMapHostWindow.h"
#include "map/MapViewBridge.h"

namespace {
int g_mapMode = kMapDocked;
IMapHostWindow* g_mapHost = nullptr;

void Dock() {
  if (CMapDlg* mapWindow = CMapDlg::Instance()) mapWindow->hide();
  if (!g_mapHost) return;
  AttachMapView(g_mapHost->MapPanel());
  g_mapHost->SetMapButtonVisible(true);
  if (!g_mapHost->PositionTextShown()) g_mapHost->SetPositionTextShown(true);
}

void Undock() {
  CMapDlg* mapWindow = CMapDlg::Instance();
  if (mapWindow) {
    mapWindow->show();
    AttachMapView(mapWindow->mapPanel);
  }
  if (!g_mapHost) return;
  g_mapHost->SetMapButtonVisible(false);
  if (g_mapHost->PositionTextShown()) g_mapHost->SetPositionTextShown(false);
}
}  // namespace

int MapMode() { return g_mapMode; }

void SetMapHostWindow(IMapHostWindow* host) { g_mapHost = host; }

IMapHostWindow* MapHostWindow() { return g_mapHost; }

void SetMapMode(int mode) {
  g_mapMode = mode;
  if (mode == kMapDocked) Dock();
  else if (mode == kMapUndocked) Undock();
}
