// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CZvMapPanelCtrl;

// What the map-mode switches need of the main window: its map panel, its
// "Map" button and its position text with the text's own shown flag.
class IMapHostWindow {
 public:
  virtual ~IMapHostWindow() = default;

  virtual CZvMapPanelCtrl* MapPanel() = 0;
  virtual void SetMapButtonVisible(bool visible) = 0;
  virtual bool PositionTextShown() const = 0;
  // Shows or hides the position text and sets its shown flag to match.
  virtual void SetPositionTextShown(bool shown) = 0;
};
