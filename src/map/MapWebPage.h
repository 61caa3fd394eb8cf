// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEnginePage>

// The map page in the map profile. It never leaves the map page: the page
// keeps its state for the whole run, so a link clicked in it (the tile
// attribution) opens in the user's browser instead, and any other
// navigation away is refused.
class MapWebPage : public QWebEnginePage {
  Q_OBJECT

 public:
  explicit MapWebPage(QObject* parent);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};
