// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/LayoutRect.h"

namespace zv {

// Where the map window puts its children in a width x height client area.
struct MapDlgLayout {
  LayoutRect closeButton;
  LayoutRect mapPanel;
  LayoutRect titleText;
  LayoutRect positionText;
};

MapDlgLayout ComputeMapDlgLayout(int width, int height);

}  // namespace zv
