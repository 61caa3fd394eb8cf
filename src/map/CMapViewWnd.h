// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QWebEngineView>

// The one view that shows the map page for the whole run of the program. It
// only changes hosts (the main window's map panel or the map window's), so
// the page keeps its marker, path and zoom; it is never reloaded. Its page
// lives in the map profile (MapWebProfile) and never navigates away.
class CMapViewWnd : public QWebEngineView {
  Q_OBJECT

 public:
  static constexpr int kControlId = 2091;

  // The first view made becomes the program's map view until it is destroyed.
  explicit CMapViewWnd(QWidget* parent = nullptr);
  ~CMapViewWnd() override;

  static CMapViewWnd* Instance();

  int controlId = kControlId;

  // Draws a route (MapRoute::ToJson()) on the page in place of the last
  // one, now and again whenever the page has loaded.
  void ShowRoute(const QByteArray& routeJson);
  // Hands the page the tile sources of the map profile again, after they
  // changed.
  void RefreshTileSources();

 protected:
  // The map's own menu (offline map file, tile server) in place of the web
  // page's, which would offer to reload or leave the page.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void OnLoadFinished(bool ok);

  QByteArray routeJson_ = "[]";
};
