// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbers of the private window messages and scroll codes the windows of the
// viewer pass to each other. The messages travel as Qt signals carrying these
// values; the numbers are kept so that every window agrees on them.

constexpr int WM_USER = 0x0400;
// Attaches the map view to a host panel.
constexpr int WM_DETACH_VIEW = WM_USER + 1001;
// From the volume control to its owner, with the new level (0 to 10).
constexpr int WM_VOLUME_LEVEL = 0x0400 + 1101;
// From the recording list (after a drop) and from Open to the main window.
constexpr int WM_RECORDINGS_CHANGED = WM_USER + 1102;

// Horizontal scroll codes reported by the skinned sliders.
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_LEFT = 6;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;
