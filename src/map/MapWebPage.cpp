// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapWebPage.h"

#include <QDesktopServices>

#include "map/MapSchemeHandler.h"
#include "map/MapWebProfile.h"

MapWebPage::MapWebPage(QObject* parent) : QWebEnginePage(MapWebProfile::Instance().Profile(), parent) {}

bool MapWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool) {
  if (url.scheme() == QLatin1String(MapSchemeHandler::kScheme) && type != NavigationTypeLinkClicked)
    return true;
  if (type == NavigationTypeLinkClicked &&
      (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http")))
    QDesktopServices::openUrl(url);
  return false;
}
