// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapTileSources.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>

namespace zv {

void MapTileSources::Load(const TileSourceSetting& setting, const QString& dataFolder) {
  setting_ = setting;
  files_.clear();
  order_.clear();
  problems_.clear();
  QStringList paths;
  if (!setting.mbtilesFile.isEmpty()) paths << QFileInfo(setting.mbtilesFile).absoluteFilePath();
  const QDir data(dataFolder);
  for (const QFileInfo& info : data.entryInfoList({QStringLiteral("*.mbtiles")}, QDir::Files, QDir::Name))
    if (!paths.contains(info.absoluteFilePath())) paths << info.absoluteFilePath();
  for (const QString& path : paths) AddFile(path);
}

void MapTileSources::AddFile(const QString& path) {
  QString error;
  auto file = MbTilesFile::Open(path, &error);
  if (!file) {
    problems_ << QStringLiteral("%1: %2").arg(path, error);
    return;
  }
  const int id = nextId_++;
  files_[id] = std::move(file);
  order_.push_back(id);
}

QList<const MbTilesFile*> MapTileSources::OfflineFiles() const {
  QList<const MbTilesFile*> files;
  for (int id : order_) files << files_.at(id).get();
  return files;
}

QByteArray MapTileSources::PageConfigJson(const QString& schemeBase) const {
  const QJsonObject online{
      {"url", setting_.urlTemplate},
      {"attribution", setting_.attribution},
      {"subdomains", setting_.subdomains},
      {"maxZoom", setting_.maxZoom},
      {"label", setting_.HostName()},
  };
  QJsonArray offline;
  for (int id : order_) {
    const MbTilesFile& file = *files_.at(id);
    const MapBounds& b = file.Bounds();
    offline.append(QJsonObject{
        {"url", QStringLiteral("%1%2%3/{z}/{x}/{y}").arg(schemeBase, kTilePathPrefix).arg(id)},
        {"name", file.Name()},
        {"attribution", file.Attribution()},
        {"bounds", QJsonArray{b.south, b.west, b.north, b.east}},
        {"minZoom", file.MinZoom()},
        {"maxZoom", file.MaxZoom()},
    });
  }
  return QJsonDocument(QJsonObject{{"online", online}, {"offline", offline}})
      .toJson(QJsonDocument::Compact);
}

QByteArray MapTileSources::TileForPath(const QString& path) const {
  if (!path.startsWith(QLatin1String(kTilePathPrefix))) return {};
  const QStringList parts = path.mid(qsizetype(strlen(kTilePathPrefix))).split(QLatin1Char('/'));
  if (parts.size() != 4) return {};
  int numbers[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    numbers[i] = parts[i].toInt(&ok);
    if (!ok) return {};
  }
  const auto file = files_.find(numbers[0]);
  if (file == files_.end()) return {};
  return file->second->Tile(numbers[1], numbers[2], numbers[3]);
}

}  // namespace zv
