// SPDX-License-Identifier: GPL-3.0-or-later
// MBTiles files for the unit tests, written through Qt SQL.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace zv::test {

// A tile as an MBTiles file stores it: the row counts from the south.
struct StoredTile {
  int zoom, column, row;
  QByteArray data;
};

// Writes an MBTiles file with the metadata pairs and tiles given; without
// `withMetadata` the file has no metadata table at all.
inline void WriteMbTiles(const QString& path, const std::vector<std::pair<QString, QString>>& metadata,
                         const std::vector<StoredTile>& tiles, bool withMetadata = true) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "mbtiles-writer");
    db.setDatabaseName(path);
    db.open();
    QSqlQuery q(db);
    if (withMetadata) q.exec("CREATE TABLE metadata (name TEXT, value TEXT)");
    q.exec("CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, tile_data BLOB)");
    for (const auto& [name, value] : metadata) {
      q.prepare("INSERT INTO metadata VALUES (?, ?)");
      q.addBindValue(name);
      q.addBindValue(value);
      q.exec();
    }
    for (const StoredTile& t : tiles) {
      q.prepare("INSERT INTO tiles VALUES (?, ?, ?, ?)");
      q.addBindValue(t.zoom);
      q.addBindValue(t.column);
      q.addBindValue(t.row);
      q.addBindValue(t.data);
      q.exec();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase("mbtiles-writer");
}

inline const QByteArray kPngBytes("\x89PNG\r\n\x1a\n-rest-of-a-png", 22);

}  // namespace zv::test
