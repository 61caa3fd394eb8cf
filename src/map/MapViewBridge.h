// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class CZvMapPanelCtrl;
class QWebEngineView;

namespace zv {
class MapRoute;
}

// The calls between the viewer and its map page, on the program's map view
// (CMapViewWnd::Instance()); without a map view they do nothing.

// Loads the map page, <data folder>/map/Map.htm, into the map view; the data
// folder is the program folder, or the installed data folder (ProgramLayout).
// The page comes through the program's own scheme (zvmap://map/Map.htm),
// which serves the files of that folder; nothing happens when the folder is
// empty.
void LoadMapPage();
// The same from another folder laid out as the program folder.
void LoadMapPageFrom(const QString& programFolder);

// Moves the map view into `host`: the old host is told that the view has
// left, the view fills the new host, and the map centres on the marker.
void AttachMapView(CZvMapPanelCtrl* host);

// Moves the page's marker to the GPS fix of a playback position (the first
// record at or after it, else the last); nothing when there is none or it is
// not valid.
void ShowMapPosition(uint32_t positionMs);

// Draws a route on the map in place of the last one, coloured by speed, and
// fits the view to it; the trail of the marker starts afresh. An empty route
// (a recording without a fix) leaves the map without a route or marker.
// Called once for each recording opened, after its sensor records are in.
void ShowMapRoute(const zv::MapRoute& route);

// Centres the map on the marker.
void CenterMap(QWebEngineView* view);

// Calls a global function of the page in `view` with text arguments, as a
// call text such as "javascript:positionChange('37.5', '127.0')". A missing
// function or page does nothing and raises nothing. The page answers later:
// `onResult`, when given, receives the function's text result ("" when it
// gave none) once the page has run the call.
void CallPageScript(QWebEngineView* view, const QString& callText,
                    std::function<void(const QString&)> onResult = {});

// The same with the function's name and its text arguments given apart, so
// an argument may hold any text (a route as JSON).
void CallPageFunction(QWebEngineView* view, const QString& functionName,
                      const QStringList& arguments,
                      std::function<void(const QString&)> onResult = {});
