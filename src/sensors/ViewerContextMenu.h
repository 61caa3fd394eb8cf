// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMenu;
class QWidget;

// Command ids of the viewer's context menu (menu 149), handled by the main
// window.
namespace zv::menu {
constexpr int kOpenFile = 32810;
constexpr int kPlayPause = 32811;
constexpr int kPreviousRecording = 32812;
constexpr int kNextRecording = 32813;
constexpr int kDarker = 32814;
constexpr int kBrighter = 32815;
constexpr int kDefaultBrightness = 32816;
constexpr int kFaster = 32817;
constexpr int kSlower = 32818;
constexpr int kDefaultRate = 32819;
constexpr int kVolumeUp = 32820;
constexpr int kVolumeDown = 32821;
constexpr int kMuteToggle = 32822;
}  // namespace zv::menu

// The first popup of menu 149. Each command action carries its command id as
// its data(); the menu belongs to `parent`.
QMenu* CreateViewerContextMenu(QWidget* parent);
