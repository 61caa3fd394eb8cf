// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/MagnifierGeometry.h"

namespace zv {

MagnifierSource MagnifierSourceRect(int px, int py, int clientWidth, int clientHeight,
                                    int areaWidth, int areaHeight, int factor) {
  if (factor <= 0) factor = 1;
  MagnifierSource s;
  s.width = clientWidth / factor;
  s.height = clientHeight / factor;
  s.x = px - s.width / 2;
  s.y = py - s.height / 2;
  if (s.x < 0) s.x = 0;
  if (s.y < 0) s.y = 0;
  if (s.x + s.width > areaWidth) s.x = areaWidth - s.width;
  if (s.y + s.height > areaHeight) s.y = areaHeight - s.height;
  return s;
}

}  // namespace zv
