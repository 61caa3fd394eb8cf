// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/CMapViewWnd.h"

#include <QContextMenuEvent>

#include "map/MapSchemeHandler.h"
#include "map/MapSourceMenu.h"
#include "map/MapViewBridge.h"
#include "map/MapWebPage.h"
#include "map/MapWebProfile.h"

namespace {
CMapViewWnd* g_mapView = nullptr;
}  // namespace

CMapViewWnd::CMapViewWnd(QWidget* parent) : QWebEngineView(parent) {
  if (!g_mapView) g_mapView = this;
  setPage(new MapWebPage(this));
  setGeometry(0, 0, 300, 300);
  connect(this, &QWebEngineView::loadFinished, this, &CMapViewWnd::OnLoadFinished);
}

CMapViewWnd::~CMapViewWnd() {
  if (g_mapView == this) g_mapView = nullptr;
}

CMapViewWnd* CMapViewWnd::Instance() { return g_mapView; }

void CMapViewWnd::ShowRoute(const QByteArray& routeJson) {
  routeJson_ = routeJson;
  CallPageFunction(this, QStringLiteral("setRoute"), {QString::fromUtf8(routeJson_)});
}

void CMapViewWnd::RefreshTileSources() {
  const QByteArray config = MapWebProfile::Instance().TileSources().PageConfigJson(MapSchemeHandler::Base());
  CallPageFunction(this, QStringLiteral("setTileSources"), {QString::fromUtf8(config)});
}

void CMapViewWnd::OnLoadFinished(bool ok) {
  // A route handed over while the page was still loading found no page.
  if (ok) CallPageFunction(this, QStringLiteral("setRoute"), {QString::fromUtf8(routeJson_)});
}

void CMapViewWnd::contextMenuEvent(QContextMenuEvent* event) {
  ShowMapSourceMenu(this, event->globalPos());
  event->accept();
}
