// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QWebEngineUrlRequestInterceptor>

// Gives every request of the map page to a web server (the tiles) the
// Referer that tile usage policies ask for. The User-Agent naming the
// program is the map profile's own (MapWebProfile::UserAgent()).
class MapRequestInterceptor : public QWebEngineUrlRequestInterceptor {
  Q_OBJECT

 public:
  explicit MapRequestInterceptor(QByteArray referer, QObject* parent = nullptr);

  void interceptRequest(QWebEngineUrlRequestInfo& info) override;

 private:
  QByteArray referer_;
};
