// SPDX-License-Identifier: GPL-3.0-or-later
#include "TileServer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTcpSocket>

TileServer::TileServer(QColor fill) : fill_(fill) {
  connect(&server_, &QTcpServer::newConnection, this, &TileServer::OnConnection);
}

bool TileServer::Listen(quint16 port) { return server_.listen(QHostAddress::LocalHost, port); }

QString TileServer::UrlTemplate() const {
  return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(Port());
}

QByteArray TileServer::TilePng(const QColor& fill, int z, int x, int y) {
  QImage image(256, 256, QImage::Format_RGB32);
  image.fill(fill);
  QPainter painter(&image);
  painter.setPen(fill.darker(160));
  painter.drawRect(0, 0, 255, 255);
  painter.drawText(QRect(0, 0, 256, 256), Qt::AlignCenter, QStringLiteral("%1/%2/%3").arg(z).arg(x).arg(y));
  painter.end();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

void TileServer::OnConnection() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadable(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      pending_.remove(socket);
      socket->deleteLater();
    });
  }
}

// One request per connection: the answer closes it.
void TileServer::OnReadable(QTcpSocket* socket) {
  QByteArray& text = pending_[socket];
  text += socket->readAll();
  const qsizetype end = text.indexOf("\r\n\r\n");
  if (end < 0) return;
  Request request;
  const QList<QByteArray> lines = text.left(end).split('\n');
  request.path = lines.value(0).split(' ').value(1);
  for (const QByteArray& line : lines) {
    const qsizetype colon = line.indexOf(':');
    const QByteArray name = line.left(colon).trimmed().toLower();
    if (name == "user-agent") request.userAgent = line.mid(colon + 1).trimmed();
    if (name == "referer") request.referer = line.mid(colon + 1).trimmed();
  }
  requests.append(request);
  text.clear();
  static const QRegularExpression tilePath(QStringLiteral("^/(\\d+)/(\\d+)/(\\d+)\\.png$"));
  const auto match = tilePath.match(QString::fromLatin1(request.path));
  QByteArray head;
  QByteArray body;
  if (match.hasMatch()) {
    body = TilePng(fill_, match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    head = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: public, max-age=86400\r\n";
  } else {
    head = "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n";
  }
  socket->write(head + "Content-Length: " + QByteArray::number(body.size()) +
                "\r\nConnection: close\r\n\r\n" + body);
  socket->disconnectFromHost();
}
