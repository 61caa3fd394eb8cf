#include "map/CMapViewWnd.h"

namespace {
CMapViewWnd* g_mapView = nullptr;
}  // namespace

CMapViewWnd::CMapViewWnd(QWidget* parent) : QWebEngineView(parent) {
  if (!g_mapView) g_mapView = this;
  setGeometry(0, 0, 300, 300);
}

CMapViewWnd::~CMapViewWnd() {
  if (g_mapView == this) g_mapView = nullptr;
}

CMapViewWnd* CMapViewWnd::Instance() { return g_mapView; }
