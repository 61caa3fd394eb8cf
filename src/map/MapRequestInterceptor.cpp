// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapRequestInterceptor.h"

MapRequestInterceptor::MapRequestInterceptor(QByteArray referer, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), referer_(std::move(referer)) {}

void MapRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  const QString scheme = info.requestUrl().scheme();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
    info.setHttpHeader("Referer", referer_);
}
