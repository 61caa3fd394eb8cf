// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace zv {

// The area an offline map file covers, in degrees.
struct MapBounds {
  double west = -180;
  double south = -85.0511;
  double east = 180;
  double north = 85.0511;
};

// An MBTiles file (SQLite: `metadata(name, value)` and
// `tiles(zoom_level, tile_column, tile_row, tile_data)`, rows numbered from
// the south), opened read-only through Qt SQL. Only picture tiles (PNG, JPEG,
// WebP) can be drawn; vector tiles are refused.
class MbTilesFile {
 public:
  // Opens the file; nothing, with `error` saying why, when it is missing,
  // not an SQLite database, has no usable tiles table or holds vector tiles.
  static std::unique_ptr<MbTilesFile> Open(const QString& path, QString* error);
  ~MbTilesFile();
  MbTilesFile(const MbTilesFile&) = delete;
  MbTilesFile& operator=(const MbTilesFile&) = delete;

  const QString& Path() const { return path_; }
  // The metadata's name, else the file name without its extension.
  const QString& Name() const { return name_; }
  const QString& Attribution() const { return attribution_; }
  const MapBounds& Bounds() const { return bounds_; }
  int MinZoom() const { return minZoom_; }
  int MaxZoom() const { return maxZoom_; }

  // The tile at zoom `z`, column `x` and row `y` counted from the north (as
  // web maps number them); empty when the file has none or cannot be read.
  QByteArray Tile(int z, int x, int y) const;

  // The picture type of a tile's bytes: "image/png", "image/jpeg",
  // "image/webp", or empty when it is none of them.
  static QByteArray PictureType(const QByteArray& tile);

 private:
  MbTilesFile(QString path, QString connection);
  bool ReadMetadata(QString* error);

  QString path_;
  QString connection_;
  QString name_;
  QString attribution_;
  MapBounds bounds_;
  int minZoom_ = 0;
  int maxZoom_ = 0;
};

}  // namespace zv
