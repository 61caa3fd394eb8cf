// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zv {

// The program's data folder under the user's home, named as its
// configuration folder is: $XDG_DATA_HOME/ZorvaneViewer, so
// ~/.local/share/ZorvaneViewer. Offline map files (*.mbtiles) put there are
// offered to the map; the map's web storage lives below it.
QString MapDataFolder();

// The folder of the map's tile cache: $XDG_CACHE_HOME/ZorvaneViewer/map, so
// ~/.cache/ZorvaneViewer/map.
QString MapCacheFolder();

}  // namespace zv
