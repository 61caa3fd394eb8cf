// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class IMapHostWindow;

// Where the map is shown, program-wide.
constexpr int kMapDocked = 1;    // in the main window's map panel
constexpr int kMapUndocked = 2;  // in the map window

int MapMode();

// The main window the map docks into; null before it exists and after it
// is gone.
void SetMapHostWindow(IMapHostWindow* host);
IMapHostWindow* MapHostWindow();

// 1 docks the map in the main window, 2 moves it into the map window; any
// other value is only stored.
void SetMapMode(int mode);
