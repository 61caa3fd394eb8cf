// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

class CMapViewWnd;
class QWidget;

// The map view's menu for its tile sources: open an offline map file (kept
// as the setting's MBTilesFile), stop using it, open the folder whose
// *.mbtiles files the map always offers, and set the tile server. A change
// is stored in the registry store and handed to the page at once.
void ShowMapSourceMenu(CMapViewWnd* view, const QPoint& globalPos);

// Asks for an MBTiles file and, when it can be used, makes it the chosen
// offline map file. A file that cannot be used is refused with a message.
void ChooseMapFile(CMapViewWnd* view);
