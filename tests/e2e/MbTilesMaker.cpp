// SPDX-License-Identifier: GPL-3.0-or-later
#include "MbTilesMaker.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <cmath>

#include "TileServer.h"

namespace {

// A tile's column and row (from the north) at a zoom.
QPoint TileAt(double latitude, double longitude, int zoom) {
  const double n = std::pow(2.0, zoom);
  const double lat = latitude * M_PI / 180;
  return QPoint(int((longitude + 180) / 360 * n), int((1 - std::asinh(std::tan(lat)) / M_PI) / 2 * n));
}

}  // namespace

QString MakeMbTiles(const QString& path, const QString& name, const QColor& fill,
                    const MbTilesArea& area, const QString& scratch) {
  QDir().mkpath(scratch);
  QString sql = QString(
      "CREATE TABLE metadata (name TEXT, value TEXT);\n"
      "CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, tile_data BLOB);\n"
      "CREATE UNIQUE INDEX tile_index ON tiles (zoom_level, tile_column, tile_row);\n"
      "INSERT INTO metadata VALUES ('name', '%1'), ('format', 'png'), ('bounds', '%2,%3,%4,%5'), "
      "('minzoom', '%6'), ('maxzoom', '%7'), ('attribution', 'Test tiles');\n")
      .arg(name).arg(area.west).arg(area.south).arg(area.east).arg(area.north)
      .arg(area.minZoom).arg(area.maxZoom);
  for (int z = area.minZoom; z <= area.maxZoom; ++z) {
    const QPoint northWest = TileAt(area.north, area.west, z), southEast = TileAt(area.south, area.east, z);
    for (int x = northWest.x(); x <= southEast.x(); ++x)
      for (int y = northWest.y(); y <= southEast.y(); ++y) {
        const QString file = QString("%1/%2-%3-%4.png").arg(scratch).arg(z).arg(x).arg(y);
        QFile png(file);
        if (!png.open(QIODevice::WriteOnly)) return "cannot write " + file;
        png.write(TileServer::TilePng(fill, z, x, y));
        sql += QString("INSERT INTO tiles VALUES (%1, %2, %3, readfile('%4'));\n")
                   .arg(z).arg(x).arg((1 << z) - 1 - y).arg(file);
      }
  }
  QProcess sqlite;
  sqlite.start("sqlite3", {path});
  if (!sqlite.waitForStarted()) return "sqlite3 is missing";
  sqlite.write(sql.toUtf8());
  sqlite.closeWriteChannel();
  if (!sqlite.waitForFinished(30000) || sqlite.exitCode() != 0)
    return "sqlite3 failed: " + QString::fromLocal8Bit(sqlite.readAllStandardError());
  return {};
}
