// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MbTilesFile.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace zv {

namespace {

QAtomicInteger<int> g_connectionCount;

// "west,south,east,north" in degrees; nothing when it is not four numbers
// of a sensible box.
std::optional<MapBounds> ParseBounds(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(','));
  if (parts.size() != 4) return std::nullopt;
  double v[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    v[i] = parts[i].trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
  }
  const MapBounds b{v[0], v[1], v[2], v[3]};
  if (b.west < -180 || b.east > 180 || b.west >= b.east) return std::nullopt;
  if (b.south < -90 || b.north > 90 || b.south >= b.north) return std::nullopt;
  return b;
}

std::optional<int> ParseZoom(const QString& text) {
  bool ok = false;
  const int zoom = text.trimmed().toInt(&ok);
  if (!ok || zoom < 0 || zoom > 30) return std::nullopt;
  return zoom;
}

}  // namespace

MbTilesFile::MbTilesFile(QString path, QString connection)
    : path_(std::move(path)), connection_(std::move(connection)) {}

MbTilesFile::~MbTilesFile() {
  QSqlDatabase::database(connection_, false).close();
  QSqlDatabase::removeDatabase(connection_);
}

std::unique_ptr<MbTilesFile> MbTilesFile::Open(const QString& path, QString* error) {
  QString why;
  if (!error) error = &why;
  if (!QFileInfo(path).isFile()) {
    *error = QStringLiteral("no such file");
    return nullptr;
  }
  const QString connection =
      QStringLiteral("zv-mbtiles-%1").arg(g_connectionCount.fetchAndAddRelaxed(1));
  std::unique_ptr<MbTilesFile> file(new MbTilesFile(path, connection));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    if (!db.isValid()) {
      *error = QStringLiteral("the SQLite driver of Qt SQL is missing");
      return nullptr;
    }
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    db.setDatabaseName(path);
    if (!db.open()) {
      *error = db.lastError().text();
      return nullptr;
    }
  }
  if (!file->ReadMetadata(error)) return nullptr;
  return file;
}

bool MbTilesFile::ReadMetadata(QString* error) {
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery probe(db);
  if (!probe.exec(QStringLiteral(
          "SELECT zoom_level, tile_column, tile_row, tile_data FROM tiles LIMIT 1"))) {
    *error = probe.lastError().text();
    return false;
  }
  QHash<QString, QString> metadata;
  QSqlQuery query(db);
  // A file without a metadata table still has its tiles.
  if (query.exec(QStringLiteral("SELECT name, value FROM metadata")))
    while (query.next()) metadata.insert(query.value(0).toString().toLower(), query.value(1).toString());
  const QString format = metadata.value(QStringLiteral("format")).toLower();
  if (format == QLatin1String("pbf") || format == QLatin1String("mvt")) {
    *error = QStringLiteral("it holds vector tiles, which the map cannot draw");
    return false;
  }
  name_ = metadata.value(QStringLiteral("name")).trimmed();
  if (name_.isEmpty()) name_ = QFileInfo(path_).completeBaseName();
  attribution_ = metadata.value(QStringLiteral("attribution"));
  if (const auto bounds = ParseBounds(metadata.value(QStringLiteral("bounds")))) bounds_ = *bounds;
  auto minZoom = ParseZoom(metadata.value(QStringLiteral("minzoom")));
  auto maxZoom = ParseZoom(metadata.value(QStringLiteral("maxzoom")));
  if (!minZoom || !maxZoom || *minZoom > *maxZoom) {
    QSqlQuery range(db);
    if (!range.exec(QStringLiteral("SELECT MIN(zoom_level), MAX(zoom_level) FROM tiles")) ||
        !range.next() || range.value(0).isNull()) {
      *error = QStringLiteral("it holds no tiles");
      return false;
    }
    minZoom = range.value(0).toInt();
    maxZoom = range.value(1).toInt();
  }
  minZoom_ = *minZoom;
  maxZoom_ = *maxZoom;
  return true;
}

QByteArray MbTilesFile::Tile(int z, int x, int y) const {
  if (z < 0 || z > 30) return {};
  const qint64 rows = qint64(1) << z;
  if (x < 0 || y < 0 || x >= rows || y >= rows) return {};
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.prepare(QStringLiteral(
      "SELECT tile_data FROM tiles WHERE zoom_level = ? AND tile_column = ? AND tile_row = ?"));
  query.addBindValue(z);
  query.addBindValue(x);
  query.addBindValue(rows - 1 - y);  // rows count from the south
  if (!query.exec() || !query.next()) return {};
  return query.value(0).toByteArray();
}

QByteArray MbTilesFile::PictureType(const QByteArray& tile) {
  if (tile.startsWith("\x89PNG\r\n\x1a\n")) return "image/png";
  if (tile.startsWith("\xff\xd8\xff")) return "image/jpeg";
  if (tile.size() >= 12 && tile.startsWith("RIFF") && tile.mid(8, 4) == "WEBP") return "image/webp";
  return {};
}

}  // namespace zv
