// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "app/MainWindowLayout.h"

namespace zv {

// One skinned button of the main window: its command id, its place in the
// layout, its pictures (0 = none) and its tooltip (nullptr = none).
struct MainWindowButton {
  int id;
  LayoutSlot slot;
  uint32_t normal, hover, disabled, selected;
  bool topBar;
  const char* tooltip;
};

// The 27 buttons, in the order the window creates them.
const std::vector<MainWindowButton>& MainWindowButtons();

}  // namespace zv
