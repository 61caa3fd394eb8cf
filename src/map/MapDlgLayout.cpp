// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapDlgLayout.h"

namespace zv {

MapDlgLayout ComputeMapDlgLayout(int width, int height) {
  MapDlgLayout layout;
  layout.closeButton = LayoutRect::FromSize(width - 40, 5, 30, 24);
  layout.mapPanel = LayoutRect::FromSize(5, 35, width - 10, height - 65);
  layout.titleText = LayoutRect::FromSize(5, 10, 50, 20);
  layout.positionText = LayoutRect::FromSize(5, height - 26, 300, 20);
  return layout;
}

}  // namespace zv
