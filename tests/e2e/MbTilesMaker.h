// SPDX-License-Identifier: GPL-3.0-or-later
// MBTiles files for the map tests, written by the sqlite3 tool (not by the
// program's own code), with rows counted from the south as the format has it.
#pragma once

#include <QColor>
#include <QString>

struct MbTilesArea {
  double south, west, north, east;
  int minZoom, maxZoom;
};

// Writes `path` with tiles of `fill` (TileServer::TilePng) over `area` and
// the metadata name, format, bounds, zooms and attribution. The tile
// pictures go to `scratch`. Gives the error, or empty on success.
QString MakeMbTiles(const QString& path, const QString& name, const QColor& fill,
                    const MbTilesArea& area, const QString& scratch);
