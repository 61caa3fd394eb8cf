// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include "map/MapTileSources.h"

class MapRequestInterceptor;
class MapSchemeHandler;
class QWebEngineProfile;

// The web profile of the map page, one for the program, made on first use
// and destroyed with the application. It
// - keeps its HTTP cache on disk in MapCacheFolder() (at most
//   kHttpCacheBytes), so tiles already seen show without a network;
// - names the program in its User-Agent and adds a Referer to tile
//   requests, as tile usage policies require;
// - serves the page, its tile-source declaration and the offline tiles
//   through the program's own scheme (MapSchemeHandler).
class MapWebProfile : public QObject {
  Q_OBJECT

 public:
  static constexpr qint64 kHttpCacheBytes = 300LL * 1024 * 1024;

  static MapWebProfile& Instance();

  QWebEngineProfile* Profile() const { return profile_; }
  const zv::MapTileSources& TileSources() const { return tiles_; }

  // The folder the page's files are served from (<program folder>/map).
  void SetPageFolder(const QString& folder);
  // Reads the tile-source setting (with ZV_MAP_TILE_URL) and the offline
  // map files again.
  void ReloadTileSources();

  // "ZorvaneViewer/<version> (VARNI Viewer; ...)".
  static QString UserAgent();
  // The Referer of tile requests: the program's name as a site (under the
  // reserved top-level domain "invalid", as it has no web site of its own).
  static QByteArray Referer();

 private:
  explicit MapWebProfile(QObject* parent);
  ~MapWebProfile() override;

  QWebEngineProfile* profile_ = nullptr;
  MapSchemeHandler* schemeHandler_ = nullptr;
  MapRequestInterceptor* interceptor_ = nullptr;
  zv::MapTileSources tiles_;
};
