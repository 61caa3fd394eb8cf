// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace zv {
class MapTileSources;
}

// Serves the program's own URL scheme to the map page: "zvmap://map/..."
// gives the files of the page folder (Map.htm, its scripts, Leaflet), the
// declaration of the tile sources (tile-sources.js) and the tiles of the
// offline map files (tiles/<file>/<z>/<x>/<y>). Nothing outside the page
// folder is served, and only GET is answered.
//
// The page comes through this scheme rather than from a file: a page loaded
// from a file may not fetch remote tiles, and allowing that would let it read
// any local file too; a page of this scheme reaches the tile server and the
// offline tiles, and nothing else.
class MapSchemeHandler : public QWebEngineUrlSchemeHandler {
  Q_OBJECT

 public:
  static constexpr const char* kScheme = "zvmap";

  // Declares the scheme to the web engine. Must run before the
  // QApplication is made.
  static void RegisterScheme();
  // zvmap://map/Map.htm
  static QUrl PageUrl();
  // zvmap://map
  static QString Base();

  MapSchemeHandler(const zv::MapTileSources& tiles, QObject* parent);

  // The folder the page's files are served from (<program folder>/map).
  void SetPageFolder(const QString& folder) { pageFolder_ = folder; }

  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  void ReplyFile(QWebEngineUrlRequestJob* job, const QString& path) const;
  void ReplyTile(QWebEngineUrlRequestJob* job, const QString& path) const;

  const zv::MapTileSources& tiles_;
  QString pageFolder_;
};
