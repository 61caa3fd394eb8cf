#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class CZvMapPanelCtrl;
class QWebEngineView;

// The calls between the viewer and its map page, on the program's map view
// (CMapViewWnd::Instance()); without a map view they do nothing.

// The file URL of <program folder>/map/Map.htm; empty when the folder is.
QString MapPageUrlFor(const QString& programFolder);

// Loads the map page from the program's data folder (the program folder, or
// the installed data folder: ProgramLayout) into the map view.
void LoadMapPage();
// The same from another folder laid out as the program folder.
void LoadMapPageFrom(const QString& programFolder);

// Moves the map view into `host`: the old host is told that the view has
// left, the view fills the new host, and the map centres on the marker.
void AttachMapView(CZvMapPanelCtrl* host);

// Moves the page's marker to the GPS fix of a playback position (the first
// record at or after it); nothing when there is none or it is not valid.
void ShowMapPosition(uint32_t positionMs);

// Centres the map on the marker.
void CenterMap(QWebEngineView* view);

// Calls a global function of the page in `view` with text arguments, as a
// call text such as "javascript:positionChange('37.5', '127.0')". A missing
// function or page does nothing and raises nothing. The page answers later:
// `onResult`, when given, receives the function's text result ("" when it
// gave none) once the page has run the call.
void CallPageScript(QWebEngineView* view, const QString& callText,
                    std::function<void(const QString&)> onResult = {});
