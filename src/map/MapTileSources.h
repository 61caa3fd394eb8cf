// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

#include "map/MbTilesFile.h"
#include "map/TileSourceSetting.h"

namespace zv {

// Every tile source the map page may draw from: the online server of the
// setting and the offline map files: the one the user chose first, then
// every *.mbtiles of the data folder by name. Files that cannot be used are
// skipped and listed in Problems().
class MapTileSources {
 public:
  // The path under the program's own URL scheme that serves offline tiles:
  // "<prefix><file id>/<z>/<x>/<y>".
  static constexpr const char* kTilePathPrefix = "/tiles/";

  void Load(const TileSourceSetting& setting, const QString& dataFolder);

  const TileSourceSetting& Setting() const { return setting_; }
  // The offline files in the order the page prefers them.
  QList<const MbTilesFile*> OfflineFiles() const;
  // "<file>: <why>" for each file that was skipped.
  const QStringList& Problems() const { return problems_; }

  // What the page's tile-source script declares: the online source and the
  // offline files with their tile URL under `schemeBase`
  // ("zvmap://map"), bounds, zoom range and attribution.
  QByteArray PageConfigJson(const QString& schemeBase) const;

  // The tile for a path "/tiles/<id>/<z>/<x>/<y>", or empty when the path is
  // not one or the file has no such tile.
  QByteArray TileForPath(const QString& path) const;

 private:
  void AddFile(const QString& path);

  TileSourceSetting setting_;
  // Ids are never reused, so the page never mixes the tiles of two loads.
  std::map<int, std::unique_ptr<MbTilesFile>> files_;
  std::vector<int> order_;
  int nextId_ = 0;
  QStringList problems_;
};

}  // namespace zv
