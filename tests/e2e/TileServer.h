// SPDX-License-Identifier: GPL-3.0-or-later
// A real HTTP tile server for the map tests: answers every GET with a
// 256 x 256 PNG of one colour, with a grid line and the tile's numbers, and
// keeps the requests it received.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QTcpServer>

class QTcpSocket;

class TileServer : public QObject {
 public:
  struct Request {
    QByteArray path;
    QByteArray userAgent;
    QByteArray referer;
  };

  explicit TileServer(QColor fill);
  // Listens on 127.0.0.1; port 0 takes a free one.
  bool Listen(quint16 port = 0);
  quint16 Port() const { return server_.serverPort(); }
  // The URL template of this server, for ZV_MAP_TILE_URL.
  QString UrlTemplate() const;

  QList<Request> requests;

  // A tile picture of `fill` for tile z/x/y.
  static QByteArray TilePng(const QColor& fill, int z, int x, int y);

 private:
  void OnConnection();
  void OnReadable(QTcpSocket* socket);

  QColor fill_;
  QTcpServer server_;
  QHash<QTcpSocket*, QByteArray> pending_;
};
