// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zv {

struct MagnifierSource {
  int x = 0, y = 0, width = 0, height = 0;
};

// The area the magnifier enlarges: its client size divided by the factor,
// centred on the cursor (px, py) and pushed back inside the window it reads,
// of areaWidth x areaHeight, the left and top edges first.
MagnifierSource MagnifierSourceRect(int px, int py, int clientWidth, int clientHeight,
                                    int areaWidth, int areaHeight, int factor = 3);

}  // namespace zv
