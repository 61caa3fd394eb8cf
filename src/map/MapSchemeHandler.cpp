// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapSchemeHandler.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "map/MapTileSources.h"
#include "map/MbTilesFile.h"

namespace {

constexpr const char* kHost = "map";
constexpr const char* kTileSourcesScript = "/tile-sources.js";

// A transparent PNG: what a place an offline file has no tile for looks
// like, without an error in the page for every such tile.
const QByteArray& EmptyTile() {
  static const QByteArray tile = [] {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
  }();
  return tile;
}

void Reply(QWebEngineUrlRequestJob* job, const QByteArray& mimeType, const QByteArray& body) {
  auto* buffer = new QBuffer(job);
  buffer->setData(body);
  job->reply(mimeType, buffer);
}

}  // namespace

void MapSchemeHandler::RegisterScheme() {
  QWebEngineUrlScheme scheme(kScheme);
  // Host syntax gives the page an origin and lets its relative links work.
  // The scheme is neither local (that would keep the page from the tile
  // server) nor secure (that would upgrade an http tile server to https).
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QString MapSchemeHandler::Base() { return QStringLiteral("%1://%2").arg(kScheme, kHost); }

QUrl MapSchemeHandler::PageUrl() { return QUrl(Base() + QStringLiteral("/Map.htm")); }

MapSchemeHandler::MapSchemeHandler(const zv::MapTileSources& tiles, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), tiles_(tiles) {}

void MapSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QUrl url = job->requestUrl();
  if (job->requestMethod() != "GET") {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  if (url.host() != QLatin1String(kHost)) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  const QString path = url.path();
  if (path == QLatin1String(kTileSourcesScript)) {
    Reply(job, "application/javascript",
          "var zvTileSources = " + tiles_.PageConfigJson(Base()) + ";\n");
  } else if (path.startsWith(QLatin1String(zv::MapTileSources::kTilePathPrefix))) {
    ReplyTile(job, path);
  } else {
    ReplyFile(job, path);
  }
}

void MapSchemeHandler::ReplyTile(QWebEngineUrlRequestJob* job, const QString& path) const {
  const QByteArray tile = tiles_.TileForPath(path);
  const QByteArray type = zv::MbTilesFile::PictureType(tile);
  if (type.isEmpty()) Reply(job, "image/png", EmptyTile());
  else Reply(job, type, tile);
}

void MapSchemeHandler::ReplyFile(QWebEngineUrlRequestJob* job, const QString& path) const {
  // Only files under the page folder: the cleaned path cannot climb out of
  // it. Links placed in the folder are followed, because an installed page
  // links to the system's copy of its drawing library.
  const QString inside = QDir::cleanPath(QLatin1Char('/') + path);
  const QFileInfo file(QFileInfo(pageFolder_).absoluteFilePath() + inside);
  if (pageFolder_.isEmpty() || inside.startsWith(QLatin1String("/..")) || !file.isFile()) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  QFile source(file.absoluteFilePath());
  if (!source.open(QIODevice::ReadOnly)) {
    job->fail(QWebEngineUrlRequestJob::RequestFailed);
    return;
  }
  const QByteArray type = QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension).name().toLatin1();
  Reply(job, type, source.readAll());
}
